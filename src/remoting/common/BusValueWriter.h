#pragma once

#include "automation/SafeArray.h"
#include "automation/Variant.h"

#include <QByteArray>

#include <span>
#include <string>

namespace corvane::remoting {

class BusMessage;
class ObjectPathMap;
class WireBudget;

// Writes Automation values into a message in their wire form: (qv), the type
// code and the value in its natural D-Bus type; arrays as (i lowerBound, aT),
// numeric ones whole from their storage in one copy; a reference with its
// type code (0x4000 included) and the referenced value, a reference to a
// Variant with the referenced value as a nested (qv). Objects travel as their
// paths ("/" for Nothing). Throws WireFormatError for what the bus cannot
// carry (a NUL, an unpaired surrogate or a noncharacter in text, nested
// arrays) and
// WireLimitError when the budget runs out; the message is then of no use.
class BusValueWriter {
public:
    BusValueWriter(ObjectPathMap& objects, WireBudget& budget) : objects_(objects), budget_(budget) {}

    // One (qv).
    void write(BusMessage& out, const automation::Variant& value);
    // An a(qv).
    void writeList(BusMessage& out, std::span<const automation::Variant> values);

    // Text as the bus carries it; throws WireFormatError for a NUL, an
    // unpaired surrogate or a noncharacter.
    static QByteArray utf8(const std::u16string& text);

private:
    void payload(BusMessage& out, const automation::Variant& value);
    void scalar(BusMessage& out, const automation::Variant& value);
    void array(BusMessage& out, const automation::SafeArray& array);
    void elements(BusMessage& out, const automation::SafeArray& array);
    QByteArray path(const automation::Ref<automation::Object>& object);

    ObjectPathMap& objects_;
    WireBudget& budget_;
};

}  // namespace corvane::remoting

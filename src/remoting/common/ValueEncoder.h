#pragma once

#include "automation/SafeArray.h"
#include "automation/Variant.h"

#include <QDBusArgument>
#include <QDBusVariant>
#include <QVariant>

#include <span>

namespace corvane::remoting {

class ObjectPathMap;
class WireBudget;

// Writes Automation values in their wire form: (qv), the type code and the
// value in its natural D-Bus type; arrays as (i lowerBound, aT); a reference
// with its type code (0x4000 included) and the referenced value, a reference
// to a Variant with the referenced value as a nested (qv). Objects travel as
// their paths ("/" for Nothing). Throws WireFormatError for what the bus
// cannot carry (a NUL or an unpaired surrogate in text, nested arrays) and
// WireLimitError when the budget runs out.
class ValueEncoder {
public:
    ValueEncoder(ObjectPathMap& objects, WireBudget& budget) : objects_(objects), budget_(budget) {}

    void encode(QDBusArgument& out, const automation::Variant& value);
    // One value as a message argument of signature (qv).
    QVariant encoded(const automation::Variant& value);
    // A list of values as a message argument of signature a(qv).
    QVariant encodedList(std::span<const automation::Variant> values);

private:
    QDBusVariant payload(const automation::Variant& value);
    QVariant scalar(const automation::Variant& value);
    QVariant array(const automation::SafeArray& array);
    void encodeArrayElements(QDBusArgument& out, const automation::SafeArray& array);
    QString text(const std::u16string& text);
    QString path(const automation::Ref<automation::Object>& object);

    ObjectPathMap& objects_;
    WireBudget& budget_;
};

}  // namespace corvane::remoting

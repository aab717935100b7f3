#pragma once

#include "WireValueFrame.h"

#include "automation/SafeArray.h"
#include "automation/Variant.h"

#include <QDBusArgument>
#include <QDBusVariant>
#include <QList>
#include <QVariant>

#include <functional>
#include <memory>
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
//
// Every check runs before anything is written: Qt's marshaller leaks the
// levels outside one that is left open, so no exception may leave one open.
class ValueEncoder {
public:
    ValueEncoder(ObjectPathMap& objects, WireBudget& budget) : objects_(objects), budget_(budget) {}

    // One value, checked and ready to write.
    WireValueFrame frameOf(const automation::Variant& value);

    void encode(QDBusArgument& out, const automation::Variant& value) { out << frameOf(value); }
    // One value as a message argument of signature (qv).
    QVariant encoded(const automation::Variant& value);
    // A list of values as a message argument of signature a(qv).
    QVariant encodedList(std::span<const automation::Variant> values);
    // Frames made by frameOf as a message argument of signature a(qv).
    static QVariant list(const QList<WireValueFrame>& frames);

private:
    using ElementWriter = std::function<void(QDBusArgument&)>;

    QDBusVariant payload(const automation::Variant& value);
    QVariant scalar(const automation::Variant& value);
    QVariant array(const std::shared_ptr<const automation::SafeArray>& array);
    // Arrays of numbers as a WireArray, written straight from their storage;
    // invalid for the other element types.
    QVariant numericArray(const std::shared_ptr<const automation::SafeArray>& array);
    // The elements of the other arrays, checked and ready to write.
    ElementWriter elements(const automation::SafeArray& array);
    QString text(const std::u16string& text);
    QString path(const automation::Ref<automation::Object>& object);

    ObjectPathMap& objects_;
    WireBudget& budget_;
};

}  // namespace corvane::remoting

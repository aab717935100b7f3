#pragma once

#include "automation/SafeArray.h"
#include "automation/VarType.h"

#include <QDBusArgument>
#include <QMetaType>

#include <cstdint>
#include <memory>

namespace corvane::remoting {

// A numeric array as it travels, (i lowerBound, aT), written element by
// element straight from the SafeArray's own storage into the message: no
// copy of the elements, and no argument of its own that would have to be
// read back and written again into the message. One registered D-Bus type
// per element type, so that Qt knows each one's signature.
template <automation::VarType Type, class Wire, class Element>
struct WireArray {
    std::shared_ptr<const automation::SafeArray> array;  // null only while Qt works out the signature
};

using WireI2Array = WireArray<automation::VarType::I2, qint16, std::int16_t>;
using WireBoolArray = WireArray<automation::VarType::Bool, bool, std::int16_t>;
using WireI4Array = WireArray<automation::VarType::I4, qint32, std::int32_t>;
using WireErrorArray = WireArray<automation::VarType::Error, qint32, std::int32_t>;
using WireR4Array = WireArray<automation::VarType::R4, double, float>;
using WireR8Array = WireArray<automation::VarType::R8, double, double>;
using WireDateArray = WireArray<automation::VarType::Date, double, double>;
using WireCurrencyArray = WireArray<automation::VarType::Currency, qlonglong, std::int64_t>;

template <automation::VarType Type, class Wire, class Element>
QDBusArgument& operator<<(QDBusArgument& out, const WireArray<Type, Wire, Element>& wire)
{
    out.beginStructure();
    out << qint32(wire.array ? wire.array->lowerBound() : 0);
    out.beginArray(QMetaType::fromType<Wire>());
    if (wire.array)
        for (const Element& element : wire.array->template elements<Element>()) out << static_cast<Wire>(element);
    out.endArray();
    out.endStructure();
    return out;
}

// Qt's registration wants a reader too; the value decoder reads arrays
// itself, with its checks, so this one only serves that.
template <automation::VarType Type, class Wire, class Element>
const QDBusArgument& operator>>(const QDBusArgument& in, WireArray<Type, Wire, Element>& wire)
{
    qint32 lowerBound = 0;
    std::vector<Element> elements;
    in.beginStructure();
    in >> lowerBound;
    in.beginArray();
    while (!in.atEnd()) {
        Wire element{};
        in >> element;
        elements.push_back(static_cast<Element>(element));
    }
    in.endArray();
    in.endStructure();
    wire.array = std::make_shared<automation::SafeArray>(Type, lowerBound, std::move(elements));
    return in;
}

// Registers the types above; safe to call more than once.
void registerWireArrayTypes();

}  // namespace corvane::remoting

Q_DECLARE_METATYPE(corvane::remoting::WireI2Array)
Q_DECLARE_METATYPE(corvane::remoting::WireBoolArray)
Q_DECLARE_METATYPE(corvane::remoting::WireI4Array)
Q_DECLARE_METATYPE(corvane::remoting::WireErrorArray)
Q_DECLARE_METATYPE(corvane::remoting::WireR4Array)
Q_DECLARE_METATYPE(corvane::remoting::WireR8Array)
Q_DECLARE_METATYPE(corvane::remoting::WireDateArray)
Q_DECLARE_METATYPE(corvane::remoting::WireCurrencyArray)

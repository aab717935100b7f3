#include "ValueEncoder.h"

#include "BusContract.h"
#include "ObjectPathMap.h"
#include "WireBudget.h"
#include "WireFormatError.h"
#include "WireText.h"
#include "WireValueFrame.h"

#include <QByteArray>
#include <QDBusObjectPath>

namespace corvane::remoting {

using automation::Object;
using automation::Ref;
using automation::SafeArray;
using automation::Variant;
using automation::VarType;

namespace {

// D-Bus text is UTF-8 without NUL; anything else would arrive cut short or altered.
bool transportable(const std::u16string& text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\0') return false;
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 1 == text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) return false;
            ++i;
        } else if (c >= 0xDC00 && c <= 0xDFFF) {
            return false;
        }
    }
    return true;
}

template <class Wire, class Element>
void appendAll(QDBusArgument& out, const std::vector<Element>& elements)
{
    out.beginArray(QMetaType::fromType<Wire>());
    for (const Element& e : elements) out << static_cast<Wire>(e);
    out.endArray();
}

}  // namespace

void ValueEncoder::encode(QDBusArgument& out, const Variant& value)
{
    budget_.spend(WireBudget::kValueFrameBytes);
    out.beginStructure();
    out << value.vt() << payload(value);
    out.endStructure();
}

QVariant ValueEncoder::encoded(const Variant& value)
{
    QDBusArgument out;
    encode(out, value);
    return QVariant::fromValue(out);
}

QVariant ValueEncoder::encodedList(std::span<const Variant> values)
{
    registerWireTypes();
    QDBusArgument out;
    out.beginArray(QMetaType::fromType<WireValueFrame>());
    for (const Variant& value : values) encode(out, value);
    out.endArray();
    return QVariant::fromValue(out);
}

QDBusVariant ValueEncoder::payload(const Variant& value)
{
    if (!value.isByRef()) return QDBusVariant(value.isArray() ? array(*value.array()) : scalar(value));

    const Variant& target = value.target();
    if (value.vt() == (automation::kByRefFlag | automation::code(VarType::Variant))) return QDBusVariant(encoded(target));
    // A typed reference carries exactly its own type.
    if (target.vt() != (value.vt() & ~automation::kByRefFlag))
        throw WireFormatError(QStringLiteral("a reference of type 0x%1 refers to a value of type 0x%2")
                                  .arg(value.vt(), 0, 16).arg(target.vt(), 0, 16));
    return QDBusVariant(target.isArray() ? array(*target.array()) : scalar(target));
}

QVariant ValueEncoder::scalar(const Variant& value)
{
    switch (value.type()) {
    case VarType::Empty: case VarType::Null: return QVariant::fromValue(QString());
    case VarType::I2: return QVariant::fromValue<qint16>(value.i2());
    case VarType::I4: return QVariant::fromValue<qint32>(value.i4());
    case VarType::Error: return QVariant::fromValue<qint32>(value.error());
    case VarType::R4: return QVariant::fromValue<double>(value.r4());
    case VarType::R8: return QVariant::fromValue<double>(value.r8());
    case VarType::Date: return QVariant::fromValue<double>(value.date());
    case VarType::Currency: return QVariant::fromValue<qlonglong>(value.currency());
    case VarType::Bool: return QVariant::fromValue<bool>(value.boolean());
    case VarType::UI1: return QVariant::fromValue<uchar>(value.ui1());
    case VarType::String:
        budget_.spend(WireBudget::textBytes(value.string().size()));
        return QVariant::fromValue(text(value.string()));
    case VarType::Dispatch: case VarType::Unknown: {
        const QString where = path(value.object());
        budget_.spend(WireBudget::textBytes(std::size_t(where.size())));
        return QVariant::fromValue(QDBusObjectPath(where));
    }
    case VarType::Variant: break;
    }
    throw WireFormatError(QStringLiteral("type code 0x%1 has no wire form").arg(value.vt(), 0, 16));
}

QVariant ValueEncoder::array(const SafeArray& array)
{
    registerWireTypes();
    QDBusArgument out;
    out.beginStructure();
    out << qint32(array.lowerBound());
    encodeArrayElements(out, array);
    out.endStructure();
    return QVariant::fromValue(out);
}

void ValueEncoder::encodeArrayElements(QDBusArgument& out, const SafeArray& array)
{
    const std::size_t count = array.size();
    budget_.spend(16);  // lower bound, length, padding
    switch (array.elementType()) {
    case VarType::I2:
        budget_.spendArray(2 * count);
        return appendAll<qint16>(out, array.elements<std::int16_t>());
    case VarType::Bool:
        budget_.spendArray(4 * count);
        return appendAll<bool>(out, array.elements<std::int16_t>());
    case VarType::I4: case VarType::Error:
        budget_.spendArray(4 * count);
        return appendAll<qint32>(out, array.elements<std::int32_t>());
    case VarType::R4:
        budget_.spendArray(8 * count);
        return appendAll<double>(out, array.elements<float>());
    case VarType::R8: case VarType::Date:
        budget_.spendArray(8 * count);
        return appendAll<double>(out, array.elements<double>());
    case VarType::Currency:
        budget_.spendArray(8 * count);
        return appendAll<qlonglong>(out, array.elements<std::int64_t>());
    case VarType::UI1: {
        budget_.spendArray(count);
        const auto& bytes = array.elements<std::uint8_t>();
        out << QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
        return;
    }
    case VarType::String: {
        const auto& texts = array.elements<std::u16string>();
        std::size_t bytes = 0;
        for (const std::u16string& t : texts) bytes += WireBudget::textBytes(t.size());
        budget_.spendArray(bytes);
        out.beginArray(QMetaType::fromType<QString>());
        for (const std::u16string& t : texts) out << text(t);
        out.endArray();
        return;
    }
    case VarType::Dispatch: case VarType::Unknown: {
        const auto& objects = array.elements<Ref<Object>>();
        const std::size_t before = budget_.spent();
        out.beginArray(QMetaType::fromType<QDBusObjectPath>());
        for (const Ref<Object>& object : objects) {
            const QString where = path(object);
            budget_.spend(WireBudget::textBytes(std::size_t(where.size())));
            out << QDBusObjectPath(where);
        }
        out.endArray();
        WireBudget::checkArray(budget_.spent() - before);
        return;
    }
    case VarType::Variant: {
        const std::size_t before = budget_.spent();
        out.beginArray(QMetaType::fromType<WireValueFrame>());
        for (const Variant& element : array.elements<Variant>()) {
            if (element.isArray() || element.isByRef())
                throw WireFormatError(QStringLiteral("an array element of type 0x%1 has no wire form")
                                          .arg(element.vt(), 0, 16));
            encode(out, element);
        }
        out.endArray();
        WireBudget::checkArray(budget_.spent() - before);
        return;
    }
    case VarType::Empty: case VarType::Null: break;
    }
    throw WireFormatError(QStringLiteral("arrays of type code %1 have no wire form").arg(int(array.elementType())));
}

QString ValueEncoder::text(const std::u16string& value)
{
    if (!transportable(value))
        throw WireFormatError(QStringLiteral("a text holds a NUL or an unpaired surrogate, which the bus cannot carry"));
    return toQString(value);
}

QString ValueEncoder::path(const Ref<Object>& object)
{
    return object ? objects_.pathOf(*object) : QString::fromLatin1(contract::kNothingPath);
}

}  // namespace corvane::remoting

#include "ValueEncoder.h"

#include "remoting/common/BusContract.h"
#include "remoting/common/ObjectPathMap.h"
#include "WireArray.h"
#include "remoting/common/WireBudget.h"
#include "remoting/common/WireFormatError.h"
#include "remoting/common/WireText.h"
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

template <class Wire>
std::function<void(QDBusArgument&)> writing(QList<Wire> list)
{
    return [list = std::move(list)](QDBusArgument& out) { out << list; };
}

}  // namespace

WireValueFrame ValueEncoder::frameOf(const Variant& value)
{
    budget_.spend(WireBudget::kValueFrameBytes);
    return {value.vt(), payload(value)};
}

QVariant ValueEncoder::encoded(const Variant& value)
{
    registerWireTypes();
    return QVariant::fromValue(frameOf(value));
}

QVariant ValueEncoder::encodedList(std::span<const Variant> values)
{
    QList<WireValueFrame> frames;
    frames.reserve(qsizetype(values.size()));
    for (const Variant& value : values) frames.push_back(frameOf(value));
    return list(frames);
}

QVariant ValueEncoder::list(const QList<WireValueFrame>& frames)
{
    registerWireTypes();
    return QVariant::fromValue(frames);
}

QDBusVariant ValueEncoder::payload(const Variant& value)
{
    if (!value.isByRef()) return QDBusVariant(value.isArray() ? array(value.array()) : scalar(value));

    const Variant& target = value.target();
    if (value.vt() == (automation::kByRefFlag | automation::code(VarType::Variant))) return QDBusVariant(encoded(target));
    // A typed reference carries exactly its own type.
    if (target.vt() != (value.vt() & ~automation::kByRefFlag))
        throw WireFormatError(QStringLiteral("a reference of type 0x%1 refers to a value of type 0x%2")
                                  .arg(value.vt(), 0, 16).arg(target.vt(), 0, 16));
    return QDBusVariant(target.isArray() ? array(target.array()) : scalar(target));
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

QVariant ValueEncoder::array(const std::shared_ptr<const SafeArray>& array)
{
    budget_.spend(16);  // lower bound, length, padding
    if (QVariant numeric = numericArray(array); numeric.isValid()) return numeric;
    registerWireTypes();
    const ElementWriter write = elements(*array);
    QDBusArgument out;
    out.beginStructure();
    out << qint32(array->lowerBound());
    write(out);
    out.endStructure();
    return QVariant::fromValue(out);
}

QVariant ValueEncoder::numericArray(const std::shared_ptr<const SafeArray>& array)
{
    registerWireArrayTypes();
    const std::size_t count = array->size();
    switch (array->elementType()) {
    case VarType::I2: budget_.spendArray(2 * count); return QVariant::fromValue(WireI2Array{array});
    case VarType::Bool: budget_.spendArray(4 * count); return QVariant::fromValue(WireBoolArray{array});
    case VarType::I4: budget_.spendArray(4 * count); return QVariant::fromValue(WireI4Array{array});
    case VarType::Error: budget_.spendArray(4 * count); return QVariant::fromValue(WireErrorArray{array});
    case VarType::R4: budget_.spendArray(8 * count); return QVariant::fromValue(WireR4Array{array});
    case VarType::R8: budget_.spendArray(8 * count); return QVariant::fromValue(WireR8Array{array});
    case VarType::Date: budget_.spendArray(8 * count); return QVariant::fromValue(WireDateArray{array});
    case VarType::Currency: budget_.spendArray(8 * count); return QVariant::fromValue(WireCurrencyArray{array});
    default: return {};
    }
}

ValueEncoder::ElementWriter ValueEncoder::elements(const SafeArray& array)
{
    const std::size_t count = array.size();
    switch (array.elementType()) {
    case VarType::UI1: {
        budget_.spendArray(count);
        const auto& bytes = array.elements<std::uint8_t>();
        QByteArray data(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
        return [data = std::move(data)](QDBusArgument& out) { out << data; };
    }
    case VarType::String: {
        std::size_t bytes = 0;
        for (const std::u16string& t : array.elements<std::u16string>()) bytes += WireBudget::textBytes(t.size());
        budget_.spendArray(bytes);
        QStringList texts;
        texts.reserve(qsizetype(count));
        for (const std::u16string& t : array.elements<std::u16string>()) texts.push_back(text(t));
        return [texts = std::move(texts)](QDBusArgument& out) { out << texts; };
    }
    case VarType::Dispatch: case VarType::Unknown: {
        const std::size_t before = budget_.spent();
        QList<QDBusObjectPath> paths;
        paths.reserve(qsizetype(count));
        for (const Ref<Object>& object : array.elements<Ref<Object>>()) {
            const QString where = path(object);
            budget_.spend(WireBudget::textBytes(std::size_t(where.size())));
            paths.push_back(QDBusObjectPath(where));
        }
        WireBudget::checkArray(budget_.spent() - before);
        return writing(std::move(paths));
    }
    case VarType::Variant: {
        const std::size_t before = budget_.spent();
        QList<WireValueFrame> frames;
        frames.reserve(qsizetype(count));
        for (const Variant& element : array.elements<Variant>()) {
            if (element.isArray() || element.isByRef())
                throw WireFormatError(QStringLiteral("an array element of type 0x%1 has no wire form")
                                          .arg(element.vt(), 0, 16));
            frames.push_back(frameOf(element));
        }
        WireBudget::checkArray(budget_.spent() - before);
        return writing(std::move(frames));
    }
    case VarType::Empty: case VarType::Null: break;
    default: break;  // numeric ones go by numericArray
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

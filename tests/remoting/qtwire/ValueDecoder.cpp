#include "ValueDecoder.h"

#include "remoting/common/BusContract.h"
#include "remoting/common/ObjectPathMap.h"
#include "remoting/common/WireFormatError.h"
#include "remoting/common/WireText.h"
#include "remoting/common/WireTypes.h"

#include "automation/SafeArray.h"

#include <QByteArray>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QStringList>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>

namespace corvane::remoting {

using automation::Object;
using automation::Ref;
using automation::SafeArray;
using automation::Variant;
using automation::VarType;

namespace {

QString hex(quint16 vt) { return QStringLiteral("0x%1").arg(vt, 4, 16, QLatin1Char('0')); }

void expectSignature(const QDBusArgument& in, const QString& expected, const char* what)
{
    const QString found = in.currentSignature();
    if (found != expected)
        throw WireFormatError(QStringLiteral("%1 must have signature %2, not \"%3\"")
                                  .arg(QLatin1StringView(what), expected, found));
}

template <class T>
T payloadAs(const QVariant& payload, VarType type)
{
    if (payload.metaType() != QMetaType::fromType<T>())
        throw WireFormatError(QStringLiteral("a value of type %1 must travel as D-Bus type %2")
                                  .arg(int(type))
                                  .arg(wire::signatureOf(type)));
    return payload.value<T>();
}

QDBusArgument structurePayload(const QVariant& payload, const QString& signature, const char* what)
{
    if (payload.metaType() != QMetaType::fromType<QDBusArgument>())
        throw WireFormatError(QStringLiteral("%1 must have signature %2").arg(QLatin1StringView(what), signature));
    QDBusArgument in = payload.value<QDBusArgument>();
    expectSignature(in, signature, what);
    return in;
}

float single(double value)
{
    if (std::isfinite(value) && std::fabs(value) > double(FLT_MAX))
        throw WireFormatError(QStringLiteral("%1 is out of the range of a Single").arg(value));
    return static_cast<float>(value);
}

// A structure or array of `in`, opened now and closed again also when
// decoding throws half-way through it: Qt's demarshaller reaches an outer
// level (and the message it reads) only through the level inside it, so a
// level left open leaked the whole message with every malformed call.
class OpenLevel {
public:
    enum Kind { Structure, Array };

    OpenLevel(const QDBusArgument& in, Kind kind) : in_(in), kind_(kind)
    {
        if (kind_ == Structure)
            in_.beginStructure();
        else
            in_.beginArray();
    }
    ~OpenLevel()
    {
        if (open_) close();
    }
    OpenLevel(const OpenLevel&) = delete;
    OpenLevel& operator=(const OpenLevel&) = delete;

    void close()
    {
        open_ = false;
        if (kind_ == Structure)
            in_.endStructure();
        else
            in_.endArray();
    }

private:
    const QDBusArgument& in_;
    Kind kind_;
    bool open_ = true;
};

template <class Wire, class Element = Wire>
std::vector<Element> readAll(const QDBusArgument& in)
{
    std::vector<Element> elements;
    in.beginArray();
    while (!in.atEnd()) {
        Wire element{};
        in >> element;
        elements.push_back(static_cast<Element>(element));
    }
    in.endArray();
    return elements;
}

}  // namespace

Variant ValueDecoder::decode(const QDBusArgument& in) { return frame(in, Place::Argument); }

std::vector<Variant> ValueDecoder::decodeList(const QDBusArgument& in)
{
    expectSignature(in, wire::kValueListSignature, "a list of values");
    std::vector<Variant> values;
    OpenLevel list(in, OpenLevel::Array);
    while (!in.atEnd()) values.push_back(frame(in, Place::Argument));
    list.close();
    return values;
}

Variant ValueDecoder::frame(const QDBusArgument& in, Place place)
{
    expectSignature(in, wire::kValueSignature, "a value");
    quint16 vt = 0;
    QDBusVariant payload;
    in.beginStructure();
    in >> vt >> payload;
    in.endStructure();
    return value(vt, payload.variant(), place);
}

Variant ValueDecoder::value(quint16 vt, const QVariant& payload, Place place)
{
    if (!automation::isKnownTypeCode(vt)) throw WireFormatError(QStringLiteral("unknown type code %1").arg(hex(vt)));
    if ((vt & automation::kByRefFlag) != 0) {
        if (place != Place::Argument)
            throw WireFormatError(QStringLiteral("a reference (%1) may only be an argument itself").arg(hex(vt)));
        return reference(vt, payload);
    }
    const auto type = static_cast<VarType>(vt & automation::kTypeMask);
    if ((vt & automation::kArrayFlag) != 0) {
        if (place == Place::ArrayElement)
            throw WireFormatError(QStringLiteral("an array (%1) cannot be an array element").arg(hex(vt)));
        return array(type, payload);
    }
    return scalar(type, payload);
}

Variant ValueDecoder::reference(quint16 vt, const QVariant& payload)
{
    const auto base = static_cast<quint16>(vt & ~automation::kByRefFlag);
    if (base == automation::code(VarType::Variant)) {
        const QDBusArgument inner = structurePayload(payload, wire::kValueSignature, "the target of a Variant reference");
        targets_.push_back(frame(inner, Place::ReferenceTarget));
        return Variant::referenceToVariant(targets_.back());
    }
    if (base == automation::code(VarType::Empty) || base == automation::code(VarType::Null))
        throw WireFormatError(QStringLiteral("there is no reference of type %1").arg(hex(vt)));
    targets_.push_back(value(base, payload, Place::ReferenceTarget));
    return Variant::reference(targets_.back());
}

Variant ValueDecoder::scalar(VarType type, const QVariant& payload)
{
    switch (type) {
    case VarType::Empty: case VarType::Null:
        if (!payloadAs<QString>(payload, type).isEmpty())
            throw WireFormatError(QStringLiteral("Empty and Null travel as the empty text"));
        return type == VarType::Null ? Variant::null() : Variant();
    case VarType::I2: return Variant(payloadAs<qint16>(payload, type));
    case VarType::I4: return Variant(payloadAs<qint32>(payload, type));
    case VarType::Error: return Variant::error(payloadAs<qint32>(payload, type));
    case VarType::R4: return Variant(single(payloadAs<double>(payload, type)));
    case VarType::R8: return Variant(payloadAs<double>(payload, type));
    case VarType::Date: return Variant::date(payloadAs<double>(payload, type));
    case VarType::Currency: return Variant::currency(payloadAs<qlonglong>(payload, type));
    case VarType::Bool: return Variant::boolean(payloadAs<bool>(payload, type));
    case VarType::UI1: return Variant(std::uint8_t{payloadAs<uchar>(payload, type)});
    case VarType::String: return Variant(toU16(payloadAs<QString>(payload, type)));
    case VarType::Dispatch:
        return Variant::dispatch(object(payloadAs<QDBusObjectPath>(payload, type).path(), type));
    case VarType::Unknown:
        return Variant::unknown(object(payloadAs<QDBusObjectPath>(payload, type).path(), type));
    case VarType::Variant: break;
    }
    throw WireFormatError(QStringLiteral("a Variant (12) travels only as a reference target or an array element type"));
}

Variant ValueDecoder::array(VarType element, const QVariant& payload)
{
    const QDBusArgument in = structurePayload(payload, wire::arraySignature(element), "an array");
    qint32 lowerBound = 0;
    OpenLevel structure(in, OpenLevel::Structure);
    in >> lowerBound;

    std::shared_ptr<SafeArray> result;
    const auto make = [&](auto elements) {
        result = std::make_shared<SafeArray>(element, lowerBound, std::move(elements));
    };
    switch (element) {
    case VarType::I2: make(readAll<qint16, std::int16_t>(in)); break;
    case VarType::Bool: {
        std::vector<std::int16_t> flags;
        for (bool b : readAll<bool>(in)) flags.push_back(b ? -1 : 0);
        make(std::move(flags));
        break;
    }
    case VarType::I4: case VarType::Error: make(readAll<qint32, std::int32_t>(in)); break;
    case VarType::R4: {
        std::vector<float> singles;
        for (double d : readAll<double>(in)) singles.push_back(single(d));
        make(std::move(singles));
        break;
    }
    case VarType::R8: case VarType::Date: make(readAll<double>(in)); break;
    case VarType::Currency: make(readAll<qlonglong, std::int64_t>(in)); break;
    case VarType::UI1: {
        QByteArray bytes;
        in >> bytes;
        make(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
        break;
    }
    case VarType::String: {
        QStringList texts;
        in >> texts;
        std::vector<std::u16string> elements;
        elements.reserve(std::size_t(texts.size()));
        for (const QString& t : texts) elements.push_back(toU16(t));
        make(std::move(elements));
        break;
    }
    case VarType::Dispatch: case VarType::Unknown: {
        std::vector<Ref<Object>> objects;
        for (const QDBusObjectPath& p : readAll<QDBusObjectPath>(in)) objects.push_back(object(p.path(), element));
        make(std::move(objects));
        break;
    }
    case VarType::Variant: {
        std::vector<Variant> values;
        OpenLevel elements(in, OpenLevel::Array);
        while (!in.atEnd()) values.push_back(frame(in, Place::ArrayElement));
        elements.close();
        make(std::move(values));
        break;
    }
    case VarType::Empty: case VarType::Null:
        throw WireFormatError(QStringLiteral("there are no arrays of type code %1").arg(int(element)));
    }
    structure.close();

    // The upper bound must be an index too.
    const std::int64_t upper = std::int64_t{lowerBound} + std::int64_t(result->size()) - 1;
    if (upper > std::numeric_limits<std::int32_t>::max())
        throw WireFormatError(QStringLiteral("an array from %1 with %2 elements runs past the largest index")
                                  .arg(lowerBound)
                                  .arg(result->size()));
    return Variant::array(std::move(result));
}

Ref<Object> ValueDecoder::object(const QString& path, VarType type)
{
    if (path == QLatin1StringView(contract::kNothingPath)) return {};
    Ref<Object> found = objects_.objectAt(path);
    if (!found) throw WireFormatError(QStringLiteral("no object lives at %1").arg(path));
    if (type == VarType::Dispatch && !objects_.hasDispatch(*found))
        throw WireFormatError(QStringLiteral("the object at %1 has no dispatch interface").arg(path));
    return found;
}

}  // namespace corvane::remoting

#include "BusValueReader.h"

#include "BusContract.h"
#include "BusMessage.h"
#include "ObjectPathMap.h"
#include "WireFormatError.h"
#include "WireText.h"
#include "WireTypes.h"

#include "automation/SafeArray.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <span>

namespace corvane::remoting {

using automation::Object;
using automation::Ref;
using automation::SafeArray;
using automation::Variant;
using automation::VarType;

namespace {

QString hex(std::uint16_t vt) { return QStringLiteral("0x%1").arg(vt, 4, 16, QLatin1Char('0')); }

std::string signatureOf(VarType type) { return std::string(wire::signatureOf(type).data(), wire::signatureOf(type).size()); }

bool beyondSingle(double value) { return std::isfinite(value) && std::fabs(value) > double(FLT_MAX); }

float single(double value)
{
    if (beyondSingle(value))
        throw WireFormatError(QStringLiteral("%1 is out of the range of a Single").arg(value));
    return static_cast<float>(value);
}

// A history carries tens of thousands of Singles: all are checked first,
// then converted in one pass, rather than each checked and appended.
std::vector<float> singles(std::span<const double> wire)
{
    bool anyBeyond = false;
    for (const double d : wire) anyBeyond |= beyondSingle(d);
    if (anyBeyond) std::for_each(wire.begin(), wire.end(), single);  // throws for the first
    return std::vector<float>(wire.begin(), wire.end());
}

std::u16string text(std::string_view utf8) { return toU16(fromWireUtf8(utf8)); }

template <class Element, class Wire = Element>
std::vector<Element> whole(BusMessage& in, char type)
{
    const std::span<const Wire> wire = in.readFixedArray<Wire>(type);
    return std::vector<Element>(wire.begin(), wire.end());
}

}  // namespace

Variant BusValueReader::read(BusMessage& in) { return frame(in, Place::Argument); }

std::vector<Variant> BusValueReader::readList(BusMessage& in)
{
    std::vector<Variant> values;
    in.enter('a', "(qv)");
    while (!in.atEnd()) values.push_back(frame(in, Place::Argument));
    in.exit();
    return values;
}

Variant BusValueReader::frame(BusMessage& in, Place place)
{
    in.enter('r', "qv");
    const std::uint16_t vt = in.readUInt16();
    std::string payload;
    if (in.peek(&payload) != 'v') throw WireFormatError(QStringLiteral("a value must have signature (qv)"));
    in.enter('v', payload.c_str());
    Variant result = value(in, vt, payload, place);
    in.exit();
    in.exit();
    return result;
}

Variant BusValueReader::value(BusMessage& in, std::uint16_t vt, const std::string& payload, Place place)
{
    if (!automation::isKnownTypeCode(vt)) throw WireFormatError(QStringLiteral("unknown type code %1").arg(hex(vt)));
    if ((vt & automation::kByRefFlag) != 0) {
        if (place != Place::Argument)
            throw WireFormatError(QStringLiteral("a reference (%1) may only be an argument itself").arg(hex(vt)));
        return reference(in, vt, payload);
    }
    const auto type = static_cast<VarType>(vt & automation::kTypeMask);
    if ((vt & automation::kArrayFlag) != 0) {
        if (place == Place::ArrayElement)
            throw WireFormatError(QStringLiteral("an array (%1) cannot be an array element").arg(hex(vt)));
        return array(in, type, payload);
    }
    return scalar(in, type, payload);
}

Variant BusValueReader::reference(BusMessage& in, std::uint16_t vt, const std::string& payload)
{
    const auto base = static_cast<std::uint16_t>(vt & ~automation::kByRefFlag);
    if (base == automation::code(VarType::Variant)) {
        if (payload != "(qv)")
            throw WireFormatError(QStringLiteral("the target of a Variant reference must have signature (qv)"));
        targets_.push_back(frame(in, Place::ReferenceTarget));
        return Variant::referenceToVariant(targets_.back());
    }
    if (base == automation::code(VarType::Empty) || base == automation::code(VarType::Null))
        throw WireFormatError(QStringLiteral("there is no reference of type %1").arg(hex(vt)));
    targets_.push_back(value(in, base, payload, Place::ReferenceTarget));
    return Variant::reference(targets_.back());
}

Variant BusValueReader::scalar(BusMessage& in, VarType type, const std::string& payload)
{
    if (type == VarType::Variant)
        throw WireFormatError(QStringLiteral("a Variant (12) travels only as a reference target or an array element type"));
    if (payload != signatureOf(type))
        throw WireFormatError(QStringLiteral("a value of type %1 must travel as D-Bus type %2")
                                  .arg(int(type))
                                  .arg(wire::signatureOf(type)));
    switch (type) {
    case VarType::Empty: case VarType::Null:
        if (!in.readText().empty()) throw WireFormatError(QStringLiteral("Empty and Null travel as the empty text"));
        return type == VarType::Null ? Variant::null() : Variant();
    case VarType::I2: return Variant(in.readInt16());
    case VarType::I4: return Variant(in.readInt32());
    case VarType::Error: return Variant::error(in.readInt32());
    case VarType::R4: return Variant(single(in.readDouble()));
    case VarType::R8: return Variant(in.readDouble());
    case VarType::Date: return Variant::date(in.readDouble());
    case VarType::Currency: return Variant::currency(in.readInt64());
    case VarType::Bool: return Variant::boolean(in.readBool());
    case VarType::UI1: return Variant(in.readByte());
    case VarType::String: return Variant(text(in.readText()));
    case VarType::Dispatch: return Variant::dispatch(object(in.readText('o'), type));
    case VarType::Unknown: return Variant::unknown(object(in.readText('o'), type));
    case VarType::Variant: break;
    }
    throw WireFormatError(QStringLiteral("unknown type %1").arg(int(type)));
}

Variant BusValueReader::array(BusMessage& in, VarType element, const std::string& payload)
{
    if (element == VarType::Empty || element == VarType::Null)
        throw WireFormatError(QStringLiteral("there are no arrays of type code %1").arg(int(element)));
    const std::string inner = "ia" + signatureOf(element);
    if (payload != "(" + inner + ")")
        throw WireFormatError(QStringLiteral("an array must have signature (%1)").arg(QString::fromLatin1(inner)));
    in.enter('r', inner.c_str());
    const std::int32_t lowerBound = in.readInt32();

    std::shared_ptr<SafeArray> result;
    const auto make = [&](auto elements) { result = std::make_shared<SafeArray>(element, lowerBound, std::move(elements)); };
    switch (element) {
    case VarType::I2: make(whole<std::int16_t>(in, 'n')); break;
    case VarType::I4: case VarType::Error: make(whole<std::int32_t>(in, 'i')); break;
    case VarType::R8: case VarType::Date: make(whole<double>(in, 'd')); break;
    case VarType::Currency: make(whole<std::int64_t>(in, 'x')); break;
    case VarType::UI1: make(whole<std::uint8_t>(in, 'y')); break;
    case VarType::Bool: {
        std::vector<std::int16_t> flags;
        in.enter('a', "b");
        while (!in.atEnd()) flags.push_back(in.readBool() ? -1 : 0);
        in.exit();
        make(std::move(flags));
        break;
    }
    case VarType::R4: make(singles(in.readFixedArray<double>('d'))); break;
    case VarType::String: {
        std::vector<std::u16string> texts;
        in.enter('a', "s");
        while (!in.atEnd()) texts.push_back(text(in.readText()));
        in.exit();
        make(std::move(texts));
        break;
    }
    case VarType::Dispatch: case VarType::Unknown: {
        std::vector<Ref<Object>> objects;
        in.enter('a', "o");
        while (!in.atEnd()) objects.push_back(object(in.readText('o'), element));
        in.exit();
        make(std::move(objects));
        break;
    }
    case VarType::Variant: {
        std::vector<Variant> values;
        in.enter('a', "(qv)");
        while (!in.atEnd()) values.push_back(frame(in, Place::ArrayElement));
        in.exit();
        make(std::move(values));
        break;
    }
    case VarType::Empty: case VarType::Null: break;
    }
    in.exit();

    // The upper bound must be an index too.
    const std::int64_t upper = std::int64_t{lowerBound} + std::int64_t(result->size()) - 1;
    if (upper > std::numeric_limits<std::int32_t>::max())
        throw WireFormatError(QStringLiteral("an array from %1 with %2 elements runs past the largest index")
                                  .arg(lowerBound)
                                  .arg(result->size()));
    return Variant::array(std::move(result));
}

Ref<Object> BusValueReader::object(std::string_view path, VarType type)
{
    if (path == contract::kNothingPath) return {};
    const QString where = QString::fromLatin1(path.data(), qsizetype(path.size()));
    Ref<Object> found = objects_.objectAt(where);
    if (!found) throw WireFormatError(QStringLiteral("no object lives at %1").arg(where));
    if (type == VarType::Dispatch && !objects_.hasDispatch(*found))
        throw WireFormatError(QStringLiteral("the object at %1 has no dispatch interface").arg(where));
    return found;
}

}  // namespace corvane::remoting

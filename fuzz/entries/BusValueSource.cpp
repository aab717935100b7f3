#include "BusValueSource.h"

#include "automation/Variant.h"
#include "remoting/common/BusMessage.h"

#include <cmath>
#include <limits>

namespace corvane::fuzz {

using remoting::BusMessage;
using automation::VarType;

namespace {

// Deep enough for an array inside a reference to a Variant: each frame and
// each payload is a level.
constexpr int kMaxDepth = 6;
constexpr std::uint32_t kMaxElements = 8;

BusValue variant(BusValue inner)
{
    return {"v", [inner = std::move(inner)](BusMessage& out) {
                out.open('v', inner.signature.c_str());
                inner.write(out);
                out.close();
            }};
}

// A D-Bus array of `type` written whole, as the codec writes numeric arrays.
template <class T>
BusValue fixedArray(char type, std::vector<T> elements)
{
    return {std::string("a") + type, [type, elements = std::move(elements)](BusMessage& out) {
                out.appendFixedArray(type, elements.data(), elements.size() * sizeof(T));
            }};
}

BusValue textArray(char type, std::vector<std::string> texts)
{
    return {std::string("a") + type, [type, texts = std::move(texts)](BusMessage& out) {
                out.open('a', std::string(1, type).c_str());
                for (const std::string& t : texts) out.appendText(t.c_str(), type);
                out.close();
            }};
}

BusValue listOf(const std::string& elementSignature, std::vector<BusValue> elements)
{
    return {"a" + elementSignature, [elementSignature, elements = std::move(elements)](BusMessage& out) {
                out.open('a', elementSignature.c_str());
                for (const BusValue& element : elements) element.write(out);
                out.close();
            }};
}

BusValue structOf(std::vector<BusValue> fields)
{
    std::string inner;
    for (const BusValue& field : fields) inner += field.signature;
    return {"(" + inner + ")", [inner, fields = std::move(fields)](BusMessage& out) {
                out.open('r', inner.c_str());
                for (const BusValue& field : fields) field.write(out);
                out.close();
            }};
}

template <class T, class Append>
BusValue basic(char type, T value, Append append)
{
    return {std::string(1, type), [value, append](BusMessage& out) { (out.*append)(value); }};
}

BusValue basicText(char type, std::string text)
{
    return {std::string(1, type), [type, text = std::move(text)](BusMessage& out) { out.appendText(text.c_str(), type); }};
}

// Noncharacters and NUL cannot be written: sd-bus refuses them, as does
// UTF-8 for unpaired surrogates.
bool writable(char32_t c) { return c != 0 && !(c >= 0xFDD0 && c <= 0xFDEF) && (c & 0xFFFE) != 0xFFFE; }

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

}  // namespace

BusValue BusValueSource::argumentList()
{
    if (in_.below(8) == 0) return any(0);
    return frames(0);
}

BusValue BusValueSource::frames(int depth)
{
    std::vector<BusValue> items;
    const std::uint32_t count = in_.below(kMaxElements + 1);
    for (std::uint32_t i = 0; i < count; ++i) items.push_back(frame(depth + 1));
    return listOf("(qv)", std::move(items));
}

BusValue BusValueSource::frame(int depth)
{
    const std::uint16_t vt = typeCode();
    BusValue inner = variant(in_.below(8) == 0 ? any(depth + 1) : payload(vt, depth + 1));
    return {"(qv)", [vt, inner = std::move(inner)](BusMessage& out) {
                out.open('r', "qv");
                out.appendUInt16(vt);
                inner.write(out);
                out.close();
            }};
}

std::uint16_t BusValueSource::typeCode()
{
    constexpr std::uint16_t kCodes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 17};
    switch (in_.below(8)) {
    case 0: return in_.raw<std::uint16_t>();
    case 1: return static_cast<std::uint16_t>(kCodes[in_.below(std::size(kCodes))] | automation::kArrayFlag);
    case 2: return static_cast<std::uint16_t>(kCodes[in_.below(std::size(kCodes))] | automation::kByRefFlag);
    default: return kCodes[in_.below(std::size(kCodes))];
    }
}

// The payload the wire format gives type code `vt` (as far as it is one).
BusValue BusValueSource::payload(std::uint16_t vt, int depth)
{
    const auto base = static_cast<VarType>(vt & automation::kTypeMask);
    if ((vt & automation::kByRefFlag) && base == VarType::Variant && depth < kMaxDepth) return frame(depth + 1);
    if ((vt & automation::kArrayFlag) && depth < kMaxDepth) return array(base, depth + 1);
    return scalar(base);
}

BusValue BusValueSource::scalar(VarType type)
{
    switch (type) {
    case VarType::I2: return basic('n', in_.raw<std::int16_t>(), &BusMessage::appendInt16);
    case VarType::I4: case VarType::Error: return basic('i', in_.raw<std::int32_t>(), &BusMessage::appendInt32);
    case VarType::R4: case VarType::R8: case VarType::Date: return basic('d', number(), &BusMessage::appendDouble);
    case VarType::Currency: return basic('x', in_.raw<std::int64_t>(), &BusMessage::appendInt64);
    case VarType::Dispatch: case VarType::Unknown: return basicText('o', path());
    case VarType::Bool: return basic('b', in_.flag(), &BusMessage::appendBool);
    case VarType::UI1: return basic('y', in_.raw<std::uint8_t>(), &BusMessage::appendByte);
    case VarType::Empty: case VarType::Null: return basicText('s', in_.below(4) == 0 ? text() : std::string());
    default: return basicText('s', text());
    }
}

BusValue BusValueSource::array(VarType element, int depth)
{
    const std::uint32_t count = elementCount();
    std::int32_t lowerBound = 0;
    switch (in_.below(4)) {
    case 0: lowerBound = std::int32_t(in_.below(3)); break;
    case 1: lowerBound = in_.raw<std::int32_t>(); break;
    default:
        // At the end of the index range: the last element's index is the
        // largest there is, or one past it.
        lowerBound = static_cast<std::int32_t>(std::int64_t{std::numeric_limits<std::int32_t>::max()} - count + 1 +
                                               in_.below(2));
        break;
    }
    const auto numbers = [&](auto next) {
        std::vector<decltype(next())> out(count);
        for (auto& value : out) value = next();
        return out;
    };
    BusValue elements;
    switch (element) {
    case VarType::I2: elements = fixedArray('n', numbers([&] { return in_.raw<std::int16_t>(); })); break;
    case VarType::I4: case VarType::Error: elements = fixedArray('i', numbers([&] { return in_.raw<std::int32_t>(); })); break;
    case VarType::R4: case VarType::R8: case VarType::Date: elements = fixedArray('d', numbers([&] { return number(); })); break;
    case VarType::Currency: elements = fixedArray('x', numbers([&] { return in_.raw<std::int64_t>(); })); break;
    case VarType::UI1: elements = fixedArray('y', numbers([&] { return in_.byte(); })); break;
    case VarType::Bool: {
        // sd-bus writes Booleans one by one (and only as 0 or 1: other
        // words come from the changes in transit).
        std::vector<BusValue> flags;
        for (std::uint32_t i = 0; i < count; ++i) flags.push_back(basic('b', in_.flag(), &BusMessage::appendBool));
        elements = listOf("b", std::move(flags));
        break;
    }
    case VarType::Dispatch: case VarType::Unknown:
        elements = textArray('o', numbers([&] { return path(); }));
        break;
    case VarType::Variant: {
        std::vector<BusValue> frames;
        for (std::uint32_t i = 0; i < count && i < kMaxElements; ++i) frames.push_back(frame(depth + 1));
        elements = listOf("(qv)", std::move(frames));
        break;
    }
    default: elements = textArray('s', numbers([&] { return text(); })); break;
    }
    return structOf({basic('i', lowerBound, &BusMessage::appendInt32), std::move(elements)});
}

// A D-Bus value of another shape altogether.
BusValue BusValueSource::any(int depth)
{
    switch (in_.below(depth < kMaxDepth ? 16 : 12)) {
    case 0: return basic('y', in_.raw<std::uint8_t>(), &BusMessage::appendByte);
    case 1: return basic('b', in_.flag(), &BusMessage::appendBool);
    case 2: return basic('q', in_.raw<std::uint16_t>(), &BusMessage::appendUInt16);
    case 3: return basic('u', in_.raw<std::uint32_t>(), &BusMessage::appendUInt32);
    case 4: return basic('t', in_.raw<std::uint64_t>(), &BusMessage::appendUInt64);
    case 5: return basic('d', number(), &BusMessage::appendDouble);
    case 6: return basicText('s', text());
    case 7: return basicText('g', in_.flag() ? "a(qv)" : "(qv)");
    case 8: return basic('n', in_.raw<std::int16_t>(), &BusMessage::appendInt16);
    case 9: return basic('i', in_.raw<std::int32_t>(), &BusMessage::appendInt32);
    case 10: return basic('x', in_.raw<std::int64_t>(), &BusMessage::appendInt64);
    case 11: return basicText('o', path());
    case 12: return variant(any(depth + 1));
    case 13: return frame(depth + 1);
    case 14: return frames(depth + 1);
    default: {
        std::vector<BusValue> fields;
        const std::uint32_t count = 1 + in_.below(3);
        for (std::uint32_t i = 0; i < count; ++i) fields.push_back(any(depth + 1));
        return structOf(std::move(fields));
    }
    }
}

std::uint32_t BusValueSource::elementCount()
{
    if (in_.below(8) != 0) return in_.below(kMaxElements + 1);
    const std::uint32_t count = std::min(in_.below(1u << 16), longElements_);
    longElements_ -= count;
    return count;
}

double BusValueSource::number()
{
    constexpr double kNumbers[] = {0, -0.0, 1.5, 3.4028234663852886e38, 3.4028235677973366e38, 3.5e38, -3.5e38,
                                   1e308, 2958466, -657435, INFINITY, -INFINITY, NAN};
    return in_.flag() ? kNumbers[in_.below(std::size(kNumbers))] : in_.raw<double>();
}

std::string BusValueSource::text()
{
    const std::u16string units = in_.text(16);
    std::string out;
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t c = units[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (char32_t(units[++i]) - 0xDC00);
        else if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        if (writable(c)) appendUtf8(out, c);
    }
    return out;
}

std::string BusValueSource::path() { return paths_[in_.below(std::uint32_t(paths_.size()))]; }

}  // namespace corvane::fuzz

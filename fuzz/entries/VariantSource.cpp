#include "VariantSource.h"

#include "automation/HResult.h"
#include "automation/SafeArray.h"

#include <limits>
#include <memory>

namespace corvane::fuzz {
namespace {

using automation::Ref;
using automation::SafeArray;
using automation::Variant;
using automation::VarType;

constexpr double kInf = std::numeric_limits<double>::infinity();

// Numbers at the edges of the conversions: halves, type limits, the calendar's
// ends (years 100 and 9999), the missing-tag value, non-finite values.
constexpr double kNumbers[] = {
    0, -0.0, 1, -1, 0.5, 1.5, 2.5, -2.5, 3.5, 15, 60, 86400, -999,
    255.5, 256, -0.5, 32767.5, 32768, -32768.5, 2147483647.5, 2147483648.0, -2147483648.5,
    46362.291666666664, 2958465.9999884259, -657434, -657435, 2958466, 1e12, 1e13,
    3.4028234663852886e38, 3.5e38, 9.2233720368547758e14, 1e15, 1e308,
    std::numeric_limits<double>::max(), std::numeric_limits<double>::min(), std::numeric_limits<double>::denorm_min(),
    kInf, -kInf, std::numeric_limits<double>::quiet_NaN()};

// Texts that numbers, dates, time-window expressions, tag names and keys
// are read from.
constexpr const char16_t* kTexts[] = {
    u"", u" ", u"0", u"1", u"-1", u"2.5", u"3.5", u"-2.5", u"1,5", u"1.000,5", u"1 000", u"1e10", u"1E-05",
    u"1e309", u"-1e309", u"1e-400", u"32767", u"32768", u"-32769", u"2147483647", u"2147483648", u"-2147483649",
    u"255", u"256", u"NaN", u"Infinity", u"abc", u"+ 5", u"5-", u"1e", u".5", u"5.", u"True", u"false",
    u"NOW", u"NOW-60M", u"NOW-1M", u"NOWM", u"NOW+60M", u"NOW-2147483647M", u"NOW-99999999999M", u"NOW-1000000M",
    u"NOW-5256000M", u"TIC101.PV", u"tic101.pv", u"10PT101", u"01LIC7", u"2026-12-06", u"2026-12-06 07:00:00",
    u"06 Dec 2026 07:00", u"31/04/2026", u"9999-12-31 23:59:59", u"0100-01-01", u"23:59:59", u"24:00",
    u"CorvaneSim.Data", u"{7ED6261E-2961-498D-AEBF-AE75E2BACD15}", u"M\u00e4r", u"\u00c4\u00d6\u00dc\u00df\u00ff"};

constexpr VarType kScalarTypes[] = {VarType::Empty, VarType::Null, VarType::I2,   VarType::I4,
                                    VarType::R4,    VarType::R8,   VarType::Currency, VarType::Date,
                                    VarType::String, VarType::Dispatch, VarType::Error, VarType::Bool,
                                    VarType::Unknown, VarType::UI1};

constexpr VarType kElementTypes[] = {VarType::I2,   VarType::I4,       VarType::R4,    VarType::R8,
                                     VarType::Currency, VarType::Date, VarType::String, VarType::Dispatch,
                                     VarType::Error, VarType::Bool,    VarType::Unknown, VarType::UI1,
                                     VarType::Variant};

constexpr std::size_t kMaxArrayElements = 16;
constexpr int kMaxDepth = 3;

}  // namespace

double VariantSource::number()
{
    switch (in_.below(3)) {
    case 0: return kNumbers[in_.below(std::size(kNumbers))];
    case 1: return static_cast<double>(in_.raw<std::int32_t>()) / (1 + in_.below(4));
    default: return in_.raw<double>();
    }
}

float VariantSource::single()
{
    return in_.flag() ? static_cast<float>(number()) : in_.raw<float>();
}

std::int64_t VariantSource::currency()
{
    switch (in_.below(3)) {
    case 0: return std::numeric_limits<std::int64_t>::min() + in_.below(2);
    case 1: return std::int64_t{in_.raw<std::int16_t>()} * 2500;  // halves and quarters of whole amounts
    default: return in_.raw<std::int64_t>();
    }
}

std::u16string VariantSource::text()
{
    switch (in_.below(4)) {
    case 0: return kTexts[in_.below(std::size(kTexts))];
    case 1: {
        // A long run of one character: names and keys far beyond any real tag.
        const std::size_t length = std::size_t{in_.raw<std::uint16_t>()} * (1 + in_.below(4));
        return std::u16string(length, static_cast<char16_t>(u'A' + in_.below(26)));
    }
    default: return in_.text(64);
    }
}

Ref<automation::Object> VariantSource::object()
{
    const std::uint32_t pick = in_.below(static_cast<std::uint32_t>(objects_.size()) + 1);
    return pick == objects_.size() ? Ref<automation::Object>() : objects_[pick];
}

VarType VariantSource::scalarType() { return kScalarTypes[in_.below(std::size(kScalarTypes))]; }

Variant VariantSource::scalar(VarType type)
{
    switch (type) {
    case VarType::Empty: return {};
    case VarType::Null: return Variant::null();
    case VarType::I2: return Variant(in_.raw<std::int16_t>());
    case VarType::I4: return Variant(in_.flag() ? in_.raw<std::int32_t>() : static_cast<std::int32_t>(in_.below(8)));
    case VarType::R4: return Variant(single());
    case VarType::R8: return Variant(number());
    case VarType::Currency: return Variant::currency(currency());
    case VarType::Date: return Variant::date(number());
    case VarType::String: return Variant(text());
    case VarType::Dispatch: return Variant::dispatch(object());
    case VarType::Error:
        return Variant::error(in_.flag() ? automation::hresult::kParamNotFound : in_.raw<std::int32_t>());
    case VarType::Bool: return Variant::boolean(in_.flag());
    case VarType::Unknown: return Variant::unknown(object());
    case VarType::UI1: return Variant(in_.byte());
    case VarType::Variant: break;
    }
    return {};
}

Variant VariantSource::array(int depth)
{
    const VarType element = kElementTypes[in_.below(std::size(kElementTypes))];
    const std::int32_t lowerBound = in_.flag() ? static_cast<std::int32_t>(in_.below(3)) : in_.raw<std::int32_t>();
    const std::size_t count = in_.below(kMaxArrayElements + 1);
    const auto make = [&](auto next) {
        std::vector<decltype(next())> elements;
        for (std::size_t i = 0; i < count; ++i) elements.push_back(next());
        return Variant::array(std::make_shared<SafeArray>(element, lowerBound, std::move(elements)));
    };
    switch (element) {
    case VarType::I2: case VarType::Bool: return make([&] { return in_.raw<std::int16_t>(); });
    case VarType::I4: case VarType::Error: return make([&] { return in_.raw<std::int32_t>(); });
    case VarType::R4: return make([&] { return single(); });
    case VarType::R8: case VarType::Date: return make([&] { return number(); });
    case VarType::Currency: return make([&] { return currency(); });
    case VarType::String: return make([&] { return text(); });
    case VarType::UI1: return make([&] { return in_.byte(); });
    case VarType::Variant: return make([&] { return value(depth + 1); });
    default: return make([&] { return object(); });
    }
}

Variant VariantSource::value(int depth)
{
    if (depth < kMaxDepth && in_.below(8) == 0) return array(depth);
    return scalar(scalarType());
}

Variant VariantSource::argument()
{
    switch (in_.below(8)) {
    case 0: {
        // A reference typed as its target is, the way compiled clients pass variables.
        Variant& target = referenced_.emplace_back(value());
        return Variant::reference(target);
    }
    case 1: {
        // A reference to a Variant, the way scripting clients pass every variable;
        // the target may itself hold a reference.
        Variant& target = referenced_.emplace_back(in_.below(4) == 0 ? argument() : value());
        return Variant::referenceToVariant(target);
    }
    default: return value();
    }
}

}  // namespace corvane::fuzz

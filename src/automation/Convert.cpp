#include "Convert.h"

#include "AutomationDate.h"
#include "AutomationError.h"
#include "CaseFold.h"
#include "DateFormat.h"
#include "DateParse.h"
#include "NumberText.h"
#include "Rounding.h"

#include <cmath>
#include <limits>

namespace corvane::automation {
namespace {

constexpr double kCurrencyScale = 10000.0;

[[noreturn]] void refuseObject(const Variant& value)
{
    raiseError(value.object() ? error::kObjectDoesNotSupport : error::kObjectNotSet);
}

// What a value means as a number before it is fitted into the target type.
// Text goes through the regional number format; Booleans are -1 and 0.
double numericValue(const Variant& value, const RegionalSettings& regional)
{
    if (value.isArray()) raiseError(error::kTypeMismatch);
    switch (value.type()) {
    case VarType::Empty: return 0;
    case VarType::Null: raiseError(error::kInvalidUseOfNull);
    case VarType::I2: return value.i2();
    case VarType::I4: return value.i4();
    case VarType::R4: return value.r4();
    case VarType::R8: return value.r8();
    case VarType::Date: return value.date();
    case VarType::Currency: return static_cast<double>(value.currency()) / kCurrencyScale;
    case VarType::Bool: return value.boolean() ? -1.0 : 0.0;
    case VarType::UI1: return value.ui1();
    case VarType::String: {
        const auto parsed = number::parse(value.string(), regional);
        if (!parsed) raiseError(error::kTypeMismatch);
        return *parsed;
    }
    case VarType::Dispatch: case VarType::Unknown: refuseObject(value);
    case VarType::Error: case VarType::Variant: break;
    }
    raiseError(error::kTypeMismatch);
}

template <class Int>
Int toInteger(const Variant& value, const RegionalSettings& regional)
{
    const Variant& v = value.dereferenced();
    if (v.vt() == code(VarType::Currency)) {
        // Exact on the scaled integer: round the four decimals half to even.
        const std::int64_t scaled = v.currency();
        std::int64_t whole = scaled / 10000, rest = scaled % 10000;
        if (rest > 5000 || (rest == 5000 && whole % 2 != 0)) ++whole;
        if (rest < -5000 || (rest == -5000 && whole % 2 != 0)) --whole;
        if (whole < std::numeric_limits<Int>::min() || whole > std::numeric_limits<Int>::max())
            raiseError(error::kOverflow);
        return static_cast<Int>(whole);
    }
    const auto result = roundToInteger<Int>(numericValue(v, regional));
    if (!result) raiseError(error::kOverflow);
    return *result;
}

}  // namespace

std::int16_t toI2(const Variant& value, const RegionalSettings& regional) { return toInteger<std::int16_t>(value, regional); }
std::int32_t toI4(const Variant& value, const RegionalSettings& regional) { return toInteger<std::int32_t>(value, regional); }
std::uint8_t toUI1(const Variant& value, const RegionalSettings& regional) { return toInteger<std::uint8_t>(value, regional); }

float toR4(const Variant& value, const RegionalSettings& regional)
{
    const Variant& v = value.dereferenced();
    if (v.vt() == code(VarType::R4)) return v.r4();  // NaN and infinities pass through unchanged
    const double number = numericValue(v, regional);
    const auto single = static_cast<float>(number);
    if (std::isinf(single) && !std::isinf(number)) raiseError(error::kOverflow);
    if (std::isinf(number)) raiseError(error::kOverflow);
    return single;
}

double toR8(const Variant& value, const RegionalSettings& regional)
{
    const Variant& v = value.dereferenced();
    if (v.vt() == code(VarType::R8)) return v.r8();
    const double number = numericValue(v, regional);
    if (std::isinf(number)) raiseError(error::kOverflow);
    return number;
}

std::int64_t toCurrency(const Variant& value, const RegionalSettings& regional)
{
    const Variant& v = value.dereferenced();
    if (v.vt() == code(VarType::Currency)) return v.currency();
    const auto scaled = roundToInteger<std::int64_t>(numericValue(v, regional) * kCurrencyScale);
    if (!scaled) raiseError(error::kOverflow);
    return *scaled;
}

double toDate(const Variant& value, const RegionalSettings& regional)
{
    const Variant& v = value.dereferenced();
    if (v.vt() == code(VarType::String)) {
        if (const auto parsed = date::parse(v.string(), regional)) return *parsed;
        if (const auto number = number::parse(v.string(), regional)) {
            if (!date::inRange(*number)) raiseError(error::kOverflow);
            return *number;
        }
        raiseError(error::kTypeMismatch);
    }
    const double number = numericValue(v, regional);
    if (!date::inRange(number)) raiseError(error::kOverflow);
    return number;
}

bool toBool(const Variant& value, const RegionalSettings& regional)
{
    const Variant& v = value.dereferenced();
    if (v.vt() == code(VarType::Bool)) return v.boolean();
    if (v.vt() == code(VarType::String)) {
        if (equalIgnoringCase(v.string(), u"True")) return true;
        if (equalIgnoringCase(v.string(), u"False")) return false;
    }
    return numericValue(v, regional) != 0;
}

std::u16string toText(const Variant& value, const RegionalSettings& regional)
{
    const Variant& v = value.dereferenced();
    if (v.isArray()) raiseError(error::kTypeMismatch);
    switch (v.type()) {
    case VarType::Empty: return {};
    case VarType::Null: raiseError(error::kInvalidUseOfNull);
    case VarType::String: return v.string();
    case VarType::I2: return number::formatInteger(v.i2());
    case VarType::I4: return number::formatInteger(v.i4());
    case VarType::UI1: return number::formatInteger(v.ui1());
    case VarType::R4: return number::formatSingle(v.r4(), regional);
    case VarType::R8: return number::formatDouble(v.r8(), regional);
    case VarType::Currency: return number::formatCurrency(v.currency(), regional);
    case VarType::Bool: return v.boolean() ? u"True" : u"False";
    case VarType::Date:
        // A value outside the years 100 to 9999 is no date and has no text form.
        if (!date::inRange(v.date())) raiseError(error::kOverflow);
        return date::formatGeneral(v.date(), regional);
    case VarType::Dispatch: case VarType::Unknown: refuseObject(v);
    case VarType::Error: case VarType::Variant: break;
    }
    raiseError(error::kTypeMismatch);
}

Variant changeType(const Variant& value, VarType target, const RegionalSettings& regional)
{
    const Variant& v = value.dereferenced();
    switch (target) {
    case VarType::Variant: return v;
    case VarType::Empty: return {};
    case VarType::Null: return Variant::null();
    case VarType::I2: return Variant(toI2(v, regional));
    case VarType::I4: return Variant(toI4(v, regional));
    case VarType::UI1: return Variant(toUI1(v, regional));
    case VarType::R4: return Variant(toR4(v, regional));
    case VarType::R8: return Variant(toR8(v, regional));
    case VarType::Currency: return Variant::currency(toCurrency(v, regional));
    case VarType::Date: return Variant::date(toDate(v, regional));
    case VarType::Bool: return Variant::boolean(toBool(v, regional));
    case VarType::String: return Variant(toText(v, regional));
    case VarType::Error:
        if (v.vt() == code(VarType::Error)) return v;
        break;
    case VarType::Dispatch: case VarType::Unknown:
        if (v.isObject()) return target == VarType::Dispatch ? Variant::dispatch(v.object()) : Variant::unknown(v.object());
        if (v.isNull()) raiseError(error::kInvalidUseOfNull);
        break;
    }
    raiseError(error::kTypeMismatch);
}

}  // namespace corvane::automation

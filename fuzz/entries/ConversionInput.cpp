// Text to numbers and dates, and numbers and dates to text, under English and
// German regional settings. Every conversion either gives a value or raises
// one of the conversion errors; every text the system writes for a number or
// a date reads back as that number or date.
#include "Entries.h"

#include "FuzzInput.h"
#include "VariantSource.h"
#include "automation/AutomationDate.h"
#include "automation/AutomationError.h"
#include "automation/Convert.h"
#include "automation/DateFormat.h"
#include "automation/DateParse.h"
#include "automation/NumberText.h"
#include "automation/Rounding.h"
#include "server/GridEditValue.h"

#include <cmath>
#include <deque>

namespace corvane::fuzz {
namespace {

using namespace automation;

constexpr VarType kTargets[] = {VarType::I2,   VarType::I4,       VarType::UI1,  VarType::R4,
                                VarType::R8,   VarType::Currency, VarType::Date, VarType::Bool,
                                VarType::String, VarType::Error,  VarType::Dispatch, VarType::Variant};

bool isConversionError(int number)
{
    switch (number) {
    case error::kInvalidProcedureCall: case error::kOverflow: case error::kTypeMismatch:
    case error::kObjectNotSet: case error::kInvalidUseOfNull: case error::kObjectDoesNotSupport:
        return true;
    default:
        return false;
    }
}

void convertToEveryType(const Variant& value, const RegionalSettings& regional)
{
    for (VarType target : kTargets) {
        try {
            const Variant converted = changeType(value, target, regional);
            if (target != VarType::Variant && converted.vt() != code(target)) fail("a conversion gave another type");
        } catch (const AutomationError& e) {
            if (!isConversionError(e.number())) fail("a conversion raised an error no conversion raises");
        }
    }
}

bool close(double a, double b, double relative)
{
    if (a == b) return true;
    const double scale = std::fmax(std::fabs(a), std::fabs(b));
    return std::fabs(a - b) <= relative * scale || scale < 1e-300;
}

void checkDoubleText(double value, const RegionalSettings& regional)
{
    const auto back = number::parse(number::formatDouble(value, regional), regional);
    if (!back || !close(*back, value, 1e-14)) fail("a double's text does not read back as that double");

    const auto single = static_cast<float>(value);
    if (std::isfinite(single)) {
        const auto singleBack = number::parse(number::formatSingle(single, regional), regional);
        if (!singleBack || !close(static_cast<float>(*singleBack), single, 1e-6))
            fail("a single's text does not read back as that single");
    }
    if (std::fabs(value) < 1e13) {
        const auto fixedBack = number::parse(number::formatFixed2(value, regional), regional);
        if (!fixedBack || std::fabs(*fixedBack - value) > 0.0051 + std::fabs(value) * 1e-14)
            fail("a value's listing text is not that value to two decimals");
    }
}

void checkCurrencyText(std::int64_t scaled, const RegionalSettings& regional)
{
    const std::u16string text = number::formatCurrency(scaled, regional);
    if (std::llabs(scaled) > 1'000'000'000'000'000LL) return;  // beyond where a double holds four decimals exactly
    if (toCurrency(Variant(text), regional) != scaled) fail("a currency amount's text does not read back");
}

void checkDateText(double date, const RegionalSettings& regional)
{
    std::u16string text;
    try {
        text = toText(Variant::date(date), regional);
    } catch (const AutomationError& e) {
        if (!isConversionError(e.number())) fail("a date's text raised an error no conversion raises");
        return;
    }
    const auto back = date::parse(text, regional);
    if (!back || date::toSeconds(*back) != date::toSeconds(date)) fail("a date's text does not read back as that date", text);
    if (date::inRange(date)) {
        const auto stamp = date::parse(date::formatLongStamp(date, regional), regional);
        if (!stamp || date::toSeconds(*stamp) != date::toSeconds(date)) fail("a date's label text does not read back");
    }
}

void checkText(const std::u16string& text, const RegionalSettings& regional)
{
    const Variant value(text);
    convertToEveryType(value, regional);

    const auto number = number::parse(text, regional);
    if (number && std::isfinite(*number)) {
        checkDoubleText(*number, regional);
        // The conversions read text exactly as the parser does.
        const auto rounded = roundToInteger<std::int32_t>(*number);
        try {
            const std::int32_t converted = toI4(value, regional);
            if (!rounded || converted != *rounded) fail("a number's text converted to another Long");
        } catch (const AutomationError&) {
            if (rounded) fail("a number's text that fits a Long was refused");
        }
    }
    if (const auto date = date::parse(text, regional)) {
        if (!date::inRange(*date)) fail("a date was read outside the calendar's years");
        checkDateText(*date, regional);
    }
    GridEditValue(text, regional);
}

}  // namespace

void runConversionInput(std::span<const std::uint8_t> bytes)
{
    FuzzInput in(bytes);
    const RegionalSettings& regional =
        in.flag() ? FixedRegionalSettings::german() : FixedRegionalSettings::english();
    std::deque<Variant> referenced;
    const std::vector<Ref<Object>> noObjects;
    VariantSource values(in, referenced, noObjects);
    switch (in.below(8)) {
    case 0: {
        const double number = values.number();
        if (std::isfinite(number)) checkDoubleText(number, regional);
        checkCurrencyText(values.currency(), regional);
        break;
    }
    case 1: checkDateText(values.number(), regional); break;
    case 2: convertToEveryType(values.argument(), regional); break;
    default: checkText(in.rest(), regional); break;
    }
}

}  // namespace corvane::fuzz

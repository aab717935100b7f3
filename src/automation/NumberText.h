#pragma once

#include "RegionalSettings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::automation::number {

// Reads text by the regional number format: blanks around it, an optional
// sign, digits with optional group separators between them, an optional
// decimal separator with digits, an optional exponent (E or e, optional sign,
// digits). Empty when the text is not such a number; an infinity when it is
// one but lies beyond the double range (the caller reports the overflow).
std::optional<double> parse(std::u16string_view text, const RegionalSettings& regional);

// Text form of a single: at most 7 significant digits, no trailing zeros or
// trailing separator, exponent form (1.234568E+08, 1E-05) when the decimal
// exponent is below -4 or above 6.
std::u16string formatSingle(float value, const RegionalSettings& regional);
void appendSingle(std::u16string& out, float value, const RegionalSettings& regional);
// Text form of a double: as a single, with 15 significant digits and the
// exponent form above 14.
std::u16string formatDouble(double value, const RegionalSettings& regional);
// Plain decimal digits with a leading minus sign when negative.
std::u16string formatInteger(std::int64_t value);
void appendInteger(std::u16string& out, std::int64_t value);
// A currency amount (scaled by 10,000): up to four decimals, no trailing zeros.
std::u16string formatCurrency(std::int64_t scaled, const RegionalSettings& regional);

// The "0.00" format: at least one digit before the separator, exactly two
// after it, rounded half away from zero, no group separators; a negative
// value that rounds to zero keeps its minus sign.
std::u16string formatFixed2(double value, const RegionalSettings& regional);
void appendFixed2(std::u16string& out, double value, const RegionalSettings& regional);

}  // namespace corvane::automation::number

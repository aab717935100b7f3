#pragma once

#include "RegionalSettings.h"

#include <optional>
#include <string_view>

namespace corvane::automation::date {

// Reads a date written as text: "yyyy-mm-dd", "dd mmm yyyy" (regional month
// abbreviations, any letter case) or "dd/mm/yyyy", each optionally followed by
// a time "hh:mm" or "hh:mm:ss"; or a time alone. Empty when the text is not a
// date in one of these forms or lies outside the years 100 to 9999.
std::optional<double> parse(std::u16string_view text, const RegionalSettings& regional);

}  // namespace corvane::automation::date

#pragma once

#include "automation/RegionalSettings.h"

#include <string_view>

namespace corvane {

// The number an operator's grid edit stands for: when the text passes the
// regional numeric test, its leading number (read with the full stop as the
// only decimal point, blanks skipped wherever they are: "1,000" gives 1);
// otherwise 0. Text whose number lies beyond the double range is no number.
double GridEditValue(std::u16string_view typedText, const automation::RegionalSettings& regional);

// The leading-number rule alone: sign, digits, a full stop and digits, an
// exponent; stops at the first character that does not fit; 0 without digits.
double LeadingNumber(std::u16string_view text);

}  // namespace corvane

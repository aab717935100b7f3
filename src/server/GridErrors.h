#pragma once

#include "automation/AutomationError.h"

namespace corvane {

// The grid's own error numbers for a cell outside it (reported like any member
// error, as 0x800A0000 + n).
inline constexpr int kInvalidRowValue = 30009;
inline constexpr int kInvalidColValue = 30010;
inline constexpr char16_t kInvalidRowValueText[] = u"Invalid Row value";
inline constexpr char16_t kInvalidColValueText[] = u"Invalid Col value";

[[noreturn]] inline void raiseInvalidRow() {
    throw automation::AutomationError::fromNumber(kInvalidRowValue, kInvalidRowValueText);
}

[[noreturn]] inline void raiseInvalidCol() {
    throw automation::AutomationError::fromNumber(kInvalidColValue, kInvalidColValueText);
}

}  // namespace corvane

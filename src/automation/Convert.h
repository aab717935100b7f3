#pragma once

#include "RegionalSettings.h"
#include "VarType.h"
#include "Variant.h"

#include <cstdint>
#include <string>

namespace corvane::automation {

// The Automation conversions of a Variant (by-reference values are read
// through). Fractions going to integers round half to even; text is read by
// the regional number format; Empty gives 0, False or the empty text; True is
// -1. Failures raise AutomationError: 13 for text that is no number and for
// types that do not convert, 6 for values out of the target's range, 94 for
// Null, 91 for Nothing and 438 for an object (our objects have no default value).
std::int16_t toI2(const Variant& value, const RegionalSettings& regional);
std::int32_t toI4(const Variant& value, const RegionalSettings& regional);
float toR4(const Variant& value, const RegionalSettings& regional);
double toR8(const Variant& value, const RegionalSettings& regional);
std::int64_t toCurrency(const Variant& value, const RegionalSettings& regional);
double toDate(const Variant& value, const RegionalSettings& regional);
bool toBool(const Variant& value, const RegionalSettings& regional);
std::uint8_t toUI1(const Variant& value, const RegionalSettings& regional);
std::u16string toText(const Variant& value, const RegionalSettings& regional);

// The value converted to a Variant of type `target` (a scalar type, or Variant
// for an unchanged copy of the dereferenced value). Object targets accept
// objects (and Nothing) only.
Variant changeType(const Variant& value, VarType target, const RegionalSettings& regional);

}  // namespace corvane::automation

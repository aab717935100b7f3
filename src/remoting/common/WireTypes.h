#pragma once

#include "automation/VarType.h"

#include <QLatin1StringView>
#include <QString>

#include <cstddef>

namespace corvane::remoting::wire {

// The D-Bus type that carries a scalar of each Automation type: n for I2, i
// for I4 and error codes, d for R4, R8 and dates, x for currency (scaled by
// 10,000), s for strings and for Empty and Null (as ""), o for object
// references, b for Boolean, y for byte; (qv) for the elements of a Variant
// array.
QLatin1StringView signatureOf(automation::VarType type);

// The signature of an array of `element`: (i lowerBound, aT).
QString arraySignature(automation::VarType element);

inline constexpr QLatin1StringView kValueSignature{"(qv)"};
inline constexpr QLatin1StringView kValueListSignature{"a(qv)"};

}  // namespace corvane::remoting::wire

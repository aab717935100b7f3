#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace corvane::automation {

// Nearest whole number, a half going to the even neighbour (2.5 -> 2, 3.5 -> 4).
inline double roundHalfEven(double value)
{
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff < 0.5) return floor;
    if (diff > 0.5) return floor + 1.0;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

// `value` rounded half to even, when the result fits in Int; empty otherwise
// (NaN included).
template <class Int>
std::optional<Int> roundToInteger(double value)
{
    const double rounded = roundHalfEven(value);
    // The largest 64-bit integer has no double; it rounds up to 2^63, which is
    // already out of range, so the upper limit is one past the largest value.
    constexpr double lowest = static_cast<double>(std::numeric_limits<Int>::min());
    constexpr double beyondHighest = static_cast<double>(std::numeric_limits<Int>::max()) + 1.0;
    if (!(rounded >= lowest && rounded < beyondHighest)) return std::nullopt;
    return static_cast<Int>(rounded);
}

}  // namespace corvane::automation

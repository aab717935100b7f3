#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace corvane::jet {

// A Decimal value as Jet stores it in 17 bytes: a sign byte (0x80 when
// negative), then a 128-bit magnitude as four 32-bit little-endian words,
// the most significant first. The scale (digits after the decimal point)
// belongs to the column, not to the value.
class JetDecimal {
public:
    static constexpr std::size_t kStoredSize = 17;

    // Nothing unless `stored` holds exactly the 17 bytes.
    static std::optional<JetDecimal> fromStored(std::span<const std::uint8_t> stored, std::uint8_t scale);
    // Decimal text (an optional sign, digits, an optional point and digits,
    // nothing else) at `scale`; nothing when it has more fraction digits
    // than the scale or more than `precision` digits in all.
    static std::optional<JetDecimal> fromText(std::string_view text, std::uint8_t precision, std::uint8_t scale);

    std::array<std::uint8_t, kStoredSize> stored() const;

    // Exact, with every digit of the scale: 1.50, -0.0625, 12.
    std::string text() const;
    // The nearest double.
    double toDouble() const;
    // The value scaled by 10,000 when that is exact and within 64 bits.
    std::optional<std::int64_t> toCurrency() const;

private:
    bool negative_ = false;
    std::array<std::uint32_t, 4> words_{};  // the magnitude, least significant word first
    std::uint8_t scale_ = 0;
};

}  // namespace corvane::jet

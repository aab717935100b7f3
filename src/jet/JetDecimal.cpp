#include "JetDecimal.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace corvane::jet {
namespace {

using Words = std::array<std::uint32_t, 4>;

bool isZero(const Words& words)
{
    return std::all_of(words.begin(), words.end(), [](std::uint32_t w) { return w == 0; });
}

// words = words / divisor; returns the remainder.
std::uint32_t divide(Words& words, std::uint32_t divisor)
{
    std::uint64_t remainder = 0;
    for (std::size_t i = words.size(); i-- > 0;) {
        const std::uint64_t part = remainder << 32 | words[i];
        words[i] = static_cast<std::uint32_t>(part / divisor);
        remainder = part % divisor;
    }
    return static_cast<std::uint32_t>(remainder);
}

// words = words * factor + addend; false when the result needs more than 128 bits.
bool multiplyAdd(Words& words, std::uint32_t factor, std::uint32_t addend)
{
    std::uint64_t carry = addend;
    for (std::uint32_t& word : words) {
        const std::uint64_t part = std::uint64_t{word} * factor + carry;
        word = static_cast<std::uint32_t>(part);
        carry = part >> 32;
    }
    return carry == 0;
}

std::string digitsOf(Words words)
{
    std::string digits;
    do {
        digits.push_back(static_cast<char>('0' + divide(words, 10)));
    } while (!isZero(words));
    std::reverse(digits.begin(), digits.end());
    return digits;
}

}  // namespace

std::optional<JetDecimal> JetDecimal::fromStored(std::span<const std::uint8_t> stored, std::uint8_t scale)
{
    if (stored.size() != kStoredSize) return std::nullopt;
    JetDecimal value;
    value.negative_ = (stored[0] & 0x80) != 0;
    value.scale_ = scale;
    for (std::size_t word = 0; word < 4; ++word) {
        const std::size_t at = 1 + 4 * (3 - word);
        value.words_[word] = static_cast<std::uint32_t>(stored[at]) | static_cast<std::uint32_t>(stored[at + 1]) << 8 |
                             static_cast<std::uint32_t>(stored[at + 2]) << 16 | static_cast<std::uint32_t>(stored[at + 3]) << 24;
    }
    return value;
}

std::optional<JetDecimal> JetDecimal::fromText(std::string_view text, std::uint8_t precision, std::uint8_t scale)
{
    JetDecimal value;
    value.scale_ = scale;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        value.negative_ = text[0] == '-';
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    if ((whole.empty() && fraction.empty()) || fraction.size() > scale) return std::nullopt;
    std::size_t digits = 0;
    for (const std::string_view part : {whole, fraction}) {
        for (char c : part) {
            if (c < '0' || c > '9') return std::nullopt;
            if (!multiplyAdd(value.words_, 10, static_cast<std::uint32_t>(c - '0'))) return std::nullopt;
            if (digits > 0 || c != '0') ++digits;
        }
    }
    for (std::size_t i = fraction.size(); i < scale; ++i) {
        if (!multiplyAdd(value.words_, 10, 0)) return std::nullopt;
        if (digits > 0) ++digits;
    }
    if (digits > std::max<std::size_t>(precision, scale)) return std::nullopt;
    if (isZero(value.words_)) value.negative_ = false;
    return value;
}

std::array<std::uint8_t, JetDecimal::kStoredSize> JetDecimal::stored() const
{
    std::array<std::uint8_t, kStoredSize> bytes{};
    bytes[0] = negative_ ? 0x80 : 0x00;
    for (std::size_t word = 0; word < 4; ++word)
        for (std::size_t b = 0; b < 4; ++b) bytes[1 + 4 * (3 - word) + b] = static_cast<std::uint8_t>(words_[word] >> (8 * b));
    return bytes;
}

std::string JetDecimal::text() const
{
    std::string digits = digitsOf(words_);
    if (digits.size() <= scale_) digits.insert(0, scale_ + 1 - digits.size(), '0');
    if (scale_ > 0) digits.insert(digits.size() - scale_, 1, '.');
    if (negative_ && !isZero(words_)) digits.insert(0, 1, '-');
    return digits;
}

double JetDecimal::toDouble() const
{
    // Through the exact text: reading it rounds correctly (and whatever the
    // locale), where summing powers of ten would not.
    const std::string exact = text();
    double value = 0;
    std::from_chars(exact.data(), exact.data() + exact.size(), value);
    return value;
}

std::optional<std::int64_t> JetDecimal::toCurrency() const
{
    constexpr std::uint8_t kCurrencyScale = 4;
    Words scaled = words_;
    for (std::uint8_t s = scale_; s < kCurrencyScale; ++s)
        if (!multiplyAdd(scaled, 10, 0)) return std::nullopt;
    for (std::uint8_t s = kCurrencyScale; s < scale_; ++s)
        if (divide(scaled, 10) != 0) return std::nullopt;
    if (scaled[2] != 0 || scaled[3] != 0) return std::nullopt;
    const std::uint64_t magnitude = std::uint64_t{scaled[1]} << 32 | scaled[0];
    if (magnitude > (negative_ ? std::uint64_t{1} << 63 : (std::uint64_t{1} << 63) - 1)) return std::nullopt;
    if (!negative_) return static_cast<std::int64_t>(magnitude);
    return magnitude == std::uint64_t{1} << 63 ? std::numeric_limits<std::int64_t>::min() : -static_cast<std::int64_t>(magnitude);
}

}  // namespace corvane::jet

#include "NumberText.h"

#include <charconv>
#include <limits>
#include <string>

namespace corvane::automation::number {
namespace {

bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == 0xA0; }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

}  // namespace

std::optional<double> parse(std::u16string_view text, const RegionalSettings& regional)
{
    std::size_t i = 0, end = text.size();
    while (i < end && isBlank(text[i])) ++i;
    while (end > i && isBlank(text[end - 1])) --end;

    // Rebuilt as plain ASCII for from_chars, which knows no locale.
    std::string ascii;
    ascii.reserve(end - i + 1);
    if (i < end && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-') ascii += '-';
        ++i;
        while (i < end && isBlank(text[i])) ++i;
    }

    std::size_t integerDigits = 0, significantIntegerDigits = 0;
    while (i < end) {
        if (isDigit(text[i])) {
            if (significantIntegerDigits > 0 || text[i] != u'0') ++significantIntegerDigits;
            ascii += static_cast<char>(text[i++]);
            ++integerDigits;
        } else if (text[i] == regional.groupSeparator() && integerDigits > 0 && i + 1 < end && isDigit(text[i + 1]) &&
                   regional.groupSeparator() != regional.decimalSeparator()) {
            ++i;
        } else {
            break;
        }
    }

    std::size_t fractionDigits = 0;
    if (i < end && text[i] == regional.decimalSeparator()) {
        ascii += '.';
        ++i;
        while (i < end && isDigit(text[i])) {
            ascii += static_cast<char>(text[i++]);
            ++fractionDigits;
        }
    }
    if (integerDigits + fractionDigits == 0) return std::nullopt;

    long long exponent = 0;
    if (i < end && (text[i] == u'E' || text[i] == u'e')) {
        ascii += 'e';
        ++i;
        bool negativeExponent = false;
        if (i < end && (text[i] == u'+' || text[i] == u'-')) {
            negativeExponent = text[i] == u'-';
            ascii += static_cast<char>(text[i++]);
        }
        const std::size_t exponentStart = i;
        while (i < end && isDigit(text[i])) {
            if (exponent < 100000) exponent = exponent * 10 + (text[i] - u'0');
            ascii += static_cast<char>(text[i++]);
        }
        if (i == exponentStart) return std::nullopt;
        if (negativeExponent) exponent = -exponent;
    }
    if (i != end) return std::nullopt;

    double value = 0;
    const auto [ptr, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // Either far too large or far too small; the digits before the point
        // and the exponent tell which.
        const bool tooLarge = static_cast<long long>(significantIntegerDigits) + exponent > 0;
        const bool negative = !ascii.empty() && ascii.front() == '-';
        if (!tooLarge) return negative ? -0.0 : 0.0;
        const double infinity = std::numeric_limits<double>::infinity();
        return negative ? -infinity : infinity;
    }
    if (ec != std::errc() || ptr != ascii.data() + ascii.size()) return std::nullopt;
    return value;
}

}  // namespace corvane::automation::number

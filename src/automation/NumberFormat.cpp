#include "NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace corvane::automation::number {
namespace {

// A finite non-zero number as its decimal digits d1 d2 ... dn (no trailing
// zeros) and the decimal exponent of d1: value = 0.d1d2...dn * 10^(exponent+1).
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

Decimal toDecimal(double value, int significantDigits)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific,
                                      significantDigits - 1);
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    Decimal out;
    if (text.front() == '-') {
        out.negative = true;
        text.remove_prefix(1);
    }
    const std::size_t e = text.find('e');
    for (char c : text.substr(0, e))
        if (c != '.') out.digits += c;
    out.exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
    while (out.digits.size() > 1 && out.digits.back() == '0') out.digits.pop_back();
    return out;
}

void appendNonFinite(std::u16string& out, double value)
{
    out += std::isnan(value) ? u"NaN" : value < 0 ? u"-Infinity" : u"Infinity";
}

// The general text form shared by singles and doubles.
void appendGeneral(std::u16string& out, double value, int significantDigits, int largestPlainExponent,
                   const RegionalSettings& regional)
{
    if (!std::isfinite(value)) return appendNonFinite(out, value);
    if (value == 0) {
        out += u'0';
        return;
    }
    const Decimal d = toDecimal(value, significantDigits);
    if (d.negative) out += u'-';
    const int digitCount = static_cast<int>(d.digits.size());

    if (d.exponent < -4 || d.exponent > largestPlainExponent) {
        out += static_cast<char16_t>(d.digits[0]);
        if (digitCount > 1) {
            out += regional.decimalSeparator();
            for (int i = 1; i < digitCount; ++i) out += static_cast<char16_t>(d.digits[i]);
        }
        out += u'E';
        out += d.exponent < 0 ? u'-' : u'+';
        const int magnitude = std::abs(d.exponent);
        if (magnitude < 10) out += u'0';
        appendInteger(out, magnitude);
        return;
    }
    if (d.exponent < 0) {
        out += u'0';
        out += regional.decimalSeparator();
        for (int i = -1; i > d.exponent; --i) out += u'0';
        for (char c : d.digits) out += static_cast<char16_t>(c);
        return;
    }
    for (int i = 0; i <= d.exponent; ++i) out += static_cast<char16_t>(i < digitCount ? d.digits[i] : '0');
    if (digitCount > d.exponent + 1) {
        out += regional.decimalSeparator();
        for (int i = d.exponent + 1; i < digitCount; ++i) out += static_cast<char16_t>(d.digits[i]);
    }
}

}  // namespace

void appendSingle(std::u16string& out, float value, const RegionalSettings& regional)
{
    appendGeneral(out, value, 7, 6, regional);
}

std::u16string formatSingle(float value, const RegionalSettings& regional)
{
    std::u16string out;
    appendSingle(out, value, regional);
    return out;
}

std::u16string formatDouble(double value, const RegionalSettings& regional)
{
    std::u16string out;
    appendGeneral(out, value, 15, 14, regional);
    return out;
}

void appendInteger(std::u16string& out, std::int64_t value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    for (const char* p = buffer; p != result.ptr; ++p) out += static_cast<char16_t>(*p);
}

std::u16string formatInteger(std::int64_t value)
{
    std::u16string out;
    appendInteger(out, value);
    return out;
}

std::u16string formatCurrency(std::int64_t scaled, const RegionalSettings& regional)
{
    const bool negative = scaled < 0;
    // Work on the magnitude as unsigned so that the smallest amount has one.
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(scaled) : static_cast<std::uint64_t>(scaled);
    std::u16string out;
    if (negative) out += u'-';
    appendInteger(out, static_cast<std::int64_t>(magnitude / 10000));
    std::uint64_t fraction = magnitude % 10000;
    if (fraction != 0) {
        out += regional.decimalSeparator();
        std::u16string digits;
        for (int i = 0; i < 4; ++i, fraction %= 1000, fraction *= 10) digits += static_cast<char16_t>(u'0' + fraction / 1000);
        while (digits.back() == u'0') digits.pop_back();
        out += digits;
    }
    return out;
}

void appendFixed2(std::u16string& out, double value, const RegionalSettings& regional)
{
    if (!std::isfinite(value)) return appendNonFinite(out, value);
    // Round on the decimal digits a person would read (15 significant), half
    // away from zero, as the listing format promises: 0.125 gives 0.13.
    std::string digits = "0";
    int pointAt = 1;  // digits before the decimal point
    bool negative = false;
    if (value != 0) {
        const Decimal d = toDecimal(value, 15);
        negative = d.negative;
        if (d.exponent >= 0) {
            digits = d.digits;
            pointAt = d.exponent + 1;
            if (static_cast<int>(digits.size()) < pointAt) digits.append(pointAt - digits.size(), '0');
        } else {
            digits = std::string(static_cast<std::size_t>(-d.exponent), '0') + d.digits;
            pointAt = 1;
        }
    }
    digits.append(3, '0');  // at least three decimals to round from
    const bool roundUp = digits[static_cast<std::size_t>(pointAt) + 2] >= '5';
    digits.resize(static_cast<std::size_t>(pointAt) + 2);
    if (roundUp) {
        int i = static_cast<int>(digits.size()) - 1;
        for (; i >= 0 && digits[i] == '9'; --i) digits[i] = '0';
        if (i >= 0) {
            ++digits[i];
        } else {
            digits.insert(digits.begin(), '1');
            ++pointAt;
        }
    }
    // Drop leading zeros of the integer part, keeping one.
    std::size_t firstDigit = 0;
    while (static_cast<int>(firstDigit) < pointAt - 1 && digits[firstDigit] == '0') ++firstDigit;
    // A negative value keeps its sign even when it rounds to zero (-0.001
    // lists as -0.00); only zero itself, either zero, has none.
    if (negative) out += u'-';
    for (std::size_t i = firstDigit; i < static_cast<std::size_t>(pointAt); ++i) out += static_cast<char16_t>(digits[i]);
    out += regional.decimalSeparator();
    out += static_cast<char16_t>(digits[static_cast<std::size_t>(pointAt)]);
    out += static_cast<char16_t>(digits[static_cast<std::size_t>(pointAt) + 1]);
}

std::u16string formatFixed2(double value, const RegionalSettings& regional)
{
    std::u16string out;
    appendFixed2(out, value, regional);
    return out;
}

}  // namespace corvane::automation::number

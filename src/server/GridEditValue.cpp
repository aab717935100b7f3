#include "GridEditValue.h"

#include "automation/NumberText.h"

#include <charconv>
#include <cmath>
#include <string>

namespace corvane {
namespace {

bool isSkippedBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n'; }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The characters of `text` with blanks dropped, so the rule sees "1 2.5" as "12.5".
std::u16string withoutBlanks(std::u16string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (char16_t c : text)
        if (!isSkippedBlank(c)) out += c;
    return out;
}

}  // namespace

double LeadingNumber(std::u16string_view text)
{
    const std::u16string s = withoutBlanks(text);
    std::string ascii;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        if (s[i] == u'-') ascii += '-';
        ++i;
    }
    std::size_t digits = 0;
    for (; i < s.size() && isDigit(s[i]); ++i, ++digits) ascii += static_cast<char>(s[i]);
    if (i < s.size() && s[i] == u'.') {
        ascii += '.';
        for (++i; i < s.size() && isDigit(s[i]); ++i, ++digits) ascii += static_cast<char>(s[i]);
    }
    if (digits == 0) return 0;
    if (i < s.size() && (s[i] == u'E' || s[i] == u'e')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == u'+' || s[j] == u'-')) exponent += static_cast<char>(s[j++]);
        const std::size_t exponentDigits = j;
        for (; j < s.size() && isDigit(s[j]); ++j) exponent += static_cast<char>(s[j]);
        if (j > exponentDigits) ascii += exponent;
    }
    double value = 0;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    // Out of range means the text passed the numeric test with a finite value
    // that the full-stop reading takes differently; the edit then counts as 0.
    return result.ec == std::errc() ? value : 0.0;
}

double GridEditValue(std::u16string_view typedText, const automation::RegionalSettings& regional)
{
    const auto numeric = automation::number::parse(typedText, regional);
    if (!numeric || !std::isfinite(*numeric)) return 0;
    return LeadingNumber(typedText);
}

}  // namespace corvane

#pragma once

#include <string>
#include <string_view>

namespace corvane::automation {

// Letter case is ignored the way the simple case folding of Unicode ignores
// it: every code point maps to one folded code point (mostly its small
// letter), the same in every language. So ǅ, Ǆ and ǆ are one letter, and so
// are K, k and the Kelvin sign; dotless ı and dotted İ stay letters of their
// own. A folding never leaves or enters the basic plane, so folded text keeps
// its length in UTF-16.
char32_t foldCodePoint(char32_t c);

// One UTF-16 unit; surrogates are left as they are (whole texts fold the
// pairs). Inline for ASCII, which nearly every tag name is: keys are folded a
// character at a time on every lookup and every add.
inline char16_t foldCase(char16_t c)
{
    if (c < 0x80) return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 0x20) : c;
    if (c >= 0xD800 && c <= 0xDFFF) return c;
    return static_cast<char16_t>(foldCodePoint(c));
}
std::u16string foldCase(std::u16string_view text);
bool equalIgnoringCase(std::u16string_view a, std::u16string_view b);

}  // namespace corvane::automation

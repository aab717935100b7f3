#pragma once

#include <string>
#include <string_view>

namespace corvane::automation {

// Folds letter case for comparisons that ignore it: ASCII, Latin-1, Latin
// Extended-A, Greek and Cyrillic letters map to their capital forms.
char16_t foldCaseBeyondAscii(char16_t c);
// Inline for ASCII, which nearly every tag name is: keys are folded a
// character at a time on every lookup and every add.
inline char16_t foldCase(char16_t c)
{
    if (c < 0x80) return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 0x20) : c;
    return foldCaseBeyondAscii(c);
}
std::u16string foldCase(std::u16string_view text);
bool equalIgnoringCase(std::u16string_view a, std::u16string_view b);

}  // namespace corvane::automation

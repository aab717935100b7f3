#pragma once

#include <string>
#include <string_view>

namespace corvane::automation {

// Folds letter case for comparisons that ignore it: ASCII, Latin-1, Latin
// Extended-A, Greek and Cyrillic letters map to their capital forms.
char16_t foldCase(char16_t c);
std::u16string foldCase(std::u16string_view text);
bool equalIgnoringCase(std::u16string_view a, std::u16string_view b);

}  // namespace corvane::automation

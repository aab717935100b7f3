#include "CaseFold.h"

namespace corvane::automation {

char16_t foldCaseBeyondAscii(char16_t c)
{
    // Latin-1: a-grave to thorn, except the division sign; y-diaeresis.
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);
    if (c == 0xFF) return 0x178;
    // Latin Extended-A pairs capital/small as even/odd, with two shifted runs.
    if (c >= 0x100 && c <= 0x137) return static_cast<char16_t>(c & ~1u);
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return (c % 2 == 0) ? static_cast<char16_t>(c - 1) : c;
    if (c >= 0x14A && c <= 0x177) return static_cast<char16_t>(c & ~1u);
    // Greek and Cyrillic.
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return static_cast<char16_t>(c - 0x20);
    if (c == 0x3C2) return 0x3A3;  // final sigma
    if (c >= 0x430 && c <= 0x44F) return static_cast<char16_t>(c - 0x20);
    if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 0x50);
    return c;
}

std::u16string foldCase(std::u16string_view text)
{
    std::u16string out(text);
    for (char16_t& c : out) c = foldCase(c);
    return out;
}

bool equalIgnoringCase(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (foldCase(a[i]) != foldCase(b[i])) return false;
    return true;
}

}  // namespace corvane::automation

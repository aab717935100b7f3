#include "CaseFold.h"

#include <algorithm>
#include <iterator>

namespace corvane::automation {
namespace {

struct Folding {
    char32_t from;
    char32_t to;
};

// The C and S lines of the Unicode Character Database's CaseFolding.txt.
constexpr Folding kSimpleFoldings[] = {
#include "CaseFoldingTable.inc"
};
static_assert(std::is_sorted(std::begin(kSimpleFoldings), std::end(kSimpleFoldings),
                             [](const Folding& a, const Folding& b) { return a.from < b.from; }));

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The code point at `i`, and how many units it takes.
char32_t codePointAt(std::u16string_view text, std::size_t i, std::size_t& units)
{
    if (isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
        units = 2;
        return 0x10000 + ((char32_t(text[i]) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
    }
    units = 1;
    return text[i];
}

}  // namespace

char32_t foldCodePoint(char32_t c)
{
    if (c < 0x80) return foldCase(static_cast<char16_t>(c));
    const auto found = std::lower_bound(std::begin(kSimpleFoldings), std::end(kSimpleFoldings), c,
                                        [](const Folding& f, char32_t value) { return f.from < value; });
    return (found != std::end(kSimpleFoldings) && found->from == c) ? found->to : c;
}

std::u16string foldCase(std::u16string_view text)
{
    std::u16string out(text);
    for (std::size_t i = 0; i < out.size();) {
        if (out[i] < 0x80) {
            out[i] = foldCase(out[i]);
            ++i;
            continue;
        }
        std::size_t units = 1;
        const char32_t folded = foldCodePoint(codePointAt(out, i, units));
        if (units == 2) {
            out[i] = static_cast<char16_t>(0xD800 + ((folded - 0x10000) >> 10));
            out[i + 1] = static_cast<char16_t>(0xDC00 + ((folded - 0x10000) & 0x3FF));
        } else {
            out[i] = static_cast<char16_t>(folded);
        }
        i += units;
    }
    return out;
}

bool equalIgnoringCase(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size();) {
        if (a[i] < 0x80 && b[i] < 0x80) {
            if (foldCase(a[i]) != foldCase(b[i])) return false;
            ++i;
            continue;
        }
        std::size_t unitsA = 1, unitsB = 1;
        if (foldCodePoint(codePointAt(a, i, unitsA)) != foldCodePoint(codePointAt(b, i, unitsB))) return false;
        // Equal foldings take equal room, so both texts go on at one place.
        i += unitsA;
    }
    return true;
}

}  // namespace corvane::automation

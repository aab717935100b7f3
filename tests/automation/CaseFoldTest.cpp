#include "automation/CaseFold.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

using namespace corvane::automation;

namespace {

// The simple foldings (C and S lines) of the data file, read here on their
// own, so that the table the build generates is checked against its source.
std::map<char32_t, char32_t> simpleFoldingsOf(const char* path)
{
    std::map<char32_t, char32_t> foldings;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string code, status, mapping;
        std::getline(fields, code, ';');
        std::getline(fields >> std::ws, status, ';');
        std::getline(fields >> std::ws, mapping, ';');
        if (status == "C" || status == "S") foldings[char32_t(std::stoul(code, nullptr, 16))] = char32_t(std::stoul(mapping, nullptr, 16));
    }
    return foldings;
}

}  // namespace

TEST(CaseFold, FoldsEveryCodePointAsTheUnicodeDataSays)
{
    const auto foldings = simpleFoldingsOf(CORVANE_CASE_FOLDING_FILE);
    ASSERT_GT(foldings.size(), 1400u);
    std::size_t wrong = 0;
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        const auto found = foldings.find(c);
        const char32_t expected = found == foldings.end() ? c : found->second;
        if (foldCodePoint(c) != expected && ++wrong <= 5) ADD_FAILURE() << std::hex << "U+" << std::uint32_t(c);
    }
    EXPECT_EQ(wrong, 0u);
}

TEST(CaseFold, FoldsPairsBeyondTheBasicPlaneInPlace)
{
    const std::u16string deseret = u"𐐀x𐐁";  // capital long i, x, capital long e
    EXPECT_EQ(foldCase(deseret), u"𐐨x𐐩");
    EXPECT_TRUE(equalIgnoringCase(u"𐐨X𐐩", deseret));
    EXPECT_FALSE(equalIgnoringCase(u"𐐨x𐐪", deseret));
    // A surrogate on its own is left as it is and equals only itself.
    const std::u16string lone = {char16_t(0xD801), u'A'};
    EXPECT_EQ(foldCase(lone), (std::u16string{char16_t(0xD801), u'a'}));
    EXPECT_FALSE(equalIgnoringCase(lone, std::u16string{char16_t(0xD801), char16_t(0xDC00)}));
    EXPECT_EQ(foldCase(char16_t(0xD801)), char16_t(0xD801));
}

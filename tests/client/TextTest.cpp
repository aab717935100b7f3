// The client's text helpers: UTF-8 for the caller's side, kept unit for unit.
#include "corvanesim/Text.h"

#include <gtest/gtest.h>

using namespace corvane::client;

namespace {

TEST(ClientText, TextsThatBeginWithByteOrderMarksSurviveTheTripThroughUtf8)
{
    // A leading U+FFFE once came out dropped and the rest byte-swapped.
    for (const std::u16string text : {u"\uFFFETIC101.PV", u"\uFEFFTIC101.PV", u"\uFFFE", u"TIC\uFEFF", u"Größe"})
        EXPECT_EQ(fromUtf8(toUtf8(text)), text);
    EXPECT_EQ(toUtf8(u"\uFFFEA"), "\xEF\xBF\xBE" "A");
}

}  // namespace

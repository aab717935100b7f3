#include "automation/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace corvane::automation;
using number::formatDouble;
using number::formatFixed2;
using number::formatSingle;
using number::parse;

namespace {

const RegionalSettings& english = FixedRegionalSettings::english();
const RegionalSettings& german = FixedRegionalSettings::german();

std::string narrow(const std::u16string& text) { return std::string(text.begin(), text.end()); }

}  // namespace

TEST(SingleTextForm, KeepsSevenSignificantDigitsWithoutTrailingZeros)
{
    EXPECT_EQ(narrow(formatSingle(42.5f, english)), "42.5");
    EXPECT_EQ(narrow(formatSingle(12.3456789f, english)), "12.34568");
    EXPECT_EQ(narrow(formatSingle(100.0f, english)), "100");
    EXPECT_EQ(narrow(formatSingle(-999.0f, english)), "-999");
    EXPECT_EQ(narrow(formatSingle(0.0f, english)), "0");
    EXPECT_EQ(narrow(formatSingle(-0.0f, english)), "0");
    EXPECT_EQ(narrow(formatSingle(1234567.0f, english)), "1234567");
    EXPECT_EQ(narrow(formatSingle(0.1f, english)), "0.1");
}

TEST(SingleTextForm, SwitchesToExponentFormBelowMinusFourAndAboveSix)
{
    EXPECT_EQ(narrow(formatSingle(123456789.0f, english)), "1.234568E+08");
    EXPECT_EQ(narrow(formatSingle(12345678.0f, english)), "1.234568E+07");
    EXPECT_EQ(narrow(formatSingle(0.00001f, english)), "1E-05");
    EXPECT_EQ(narrow(formatSingle(0.0001f, english)), "0.0001");
    EXPECT_EQ(narrow(formatSingle(-0.000012345f, english)), "-1.2345E-05");
    EXPECT_EQ(narrow(formatSingle(3.4028235e38f, english)), "3.402823E+38");
    // Rounding to seven digits can carry into a new exponent.
    EXPECT_EQ(narrow(formatSingle(9999999.5f, english)), "1E+07");
}

TEST(SingleTextForm, UsesTheRegionalDecimalSeparator)
{
    EXPECT_EQ(formatSingle(12.5f, german), u"12,5");
    EXPECT_EQ(formatSingle(123456789.0f, german), u"1,234568E+08");
    EXPECT_EQ(formatSingle(0.0001f, german), u"0,0001");
}

TEST(DoubleTextForm, KeepsFifteenSignificantDigits)
{
    EXPECT_EQ(narrow(formatDouble(0.1, english)), "0.1");
    EXPECT_EQ(narrow(formatDouble(1.0 / 3.0, english)), "0.333333333333333");
    EXPECT_EQ(narrow(formatDouble(123456789012345.0, english)), "123456789012345");
    EXPECT_EQ(narrow(formatDouble(1e15, english)), "1E+15");
    EXPECT_EQ(narrow(formatDouble(0.00001, english)), "1E-05");
    EXPECT_EQ(formatDouble(2.5, german), u"2,5");
}

TEST(IntegerTextForm, IsPlainDigitsWithALeadingMinus)
{
    EXPECT_EQ(narrow(number::formatInteger(0)), "0");
    EXPECT_EQ(narrow(number::formatInteger(-2147483648LL)), "-2147483648");
    EXPECT_EQ(narrow(number::formatInteger(100)), "100");
}

TEST(CurrencyTextForm, ShowsUpToFourDecimals)
{
    EXPECT_EQ(narrow(number::formatCurrency(12345000, english)), "1234.5");
    EXPECT_EQ(narrow(number::formatCurrency(-1, english)), "-0.0001");
    EXPECT_EQ(narrow(number::formatCurrency(std::numeric_limits<std::int64_t>::min(), english)),
              "-922337203685477.5808");
    EXPECT_EQ(number::formatCurrency(15000, german), u"1,5");
}

TEST(ListingFormat, HasTwoDecimalsRoundedHalfAwayFromZero)
{
    EXPECT_EQ(narrow(formatFixed2(59.99997f, english)), "60.00");
    EXPECT_EQ(narrow(formatFixed2(0.125, english)), "0.13");
    EXPECT_EQ(narrow(formatFixed2(-0.125, english)), "-0.13");
    EXPECT_EQ(narrow(formatFixed2(-999, english)), "-999.00");
    EXPECT_EQ(narrow(formatFixed2(54.74f, english)), "54.74");
    EXPECT_EQ(narrow(formatFixed2(0, english)), "0.00");
    EXPECT_EQ(narrow(formatFixed2(0.004, english)), "0.00");
    // A negative value keeps its sign when it rounds to zero; zero has none.
    EXPECT_EQ(narrow(formatFixed2(-0.001, english)), "-0.00");
    EXPECT_EQ(narrow(formatFixed2(-0.004999, english)), "-0.00");
    EXPECT_EQ(narrow(formatFixed2(-0.005, english)), "-0.01");
    EXPECT_EQ(narrow(formatFixed2(-0.0, english)), "0.00");
    EXPECT_EQ(narrow(formatFixed2(9.995, english)), "10.00");
    EXPECT_EQ(narrow(formatFixed2(1234567.0, english)), "1234567.00");
    EXPECT_EQ(narrow(formatFixed2(1e20, english)), "100000000000000000000.00");
    EXPECT_EQ(formatFixed2(40.00003f, german), u"40,00");
}

TEST(NumberParsing, ReadsSignsBlanksGroupsDecimalsAndExponents)
{
    EXPECT_EQ(parse(u"12.5", english), 12.5);
    EXPECT_EQ(parse(u"  -60 ", english), -60.0);
    EXPECT_EQ(parse(u"+30", english), 30.0);
    EXPECT_EQ(parse(u"- 5", english), -5.0);
    EXPECT_EQ(parse(u"1,000", english), 1000.0);
    EXPECT_EQ(parse(u"1,234,567.25", english), 1234567.25);
    EXPECT_EQ(parse(u"1e3", english), 1000.0);
    EXPECT_EQ(parse(u"2.5E-1", english), 0.25);
    EXPECT_EQ(parse(u".5", english), 0.5);
    EXPECT_EQ(parse(u"5.", english), 5.0);
}

TEST(NumberParsing, RefusesTextThatIsNoNumber)
{
    for (const char16_t* text : {u"", u"   ", u"abc", u"NOW", u"-", u"1e", u"1H", u"NOW-5", u"1.2.3", u",5", u"1,",
                                 u"06 Dec 2026", u"12 5", u"0x10"})
        EXPECT_FALSE(parse(text, english).has_value()) << narrow(text);
}

TEST(NumberParsing, FollowsTheRegionalSeparators)
{
    EXPECT_EQ(parse(u"1,5", german), 1.5);
    EXPECT_EQ(parse(u"1.000", german), 1000.0);
    EXPECT_EQ(parse(u"-1.234,5", german), -1234.5);
    EXPECT_FALSE(parse(u"1,5,5", german).has_value());
}

TEST(NumberParsing, ReportsHugeNumbersAsInfinityAndTinyOnesAsZero)
{
    EXPECT_EQ(parse(u"1e400", english), std::numeric_limits<double>::infinity());
    EXPECT_EQ(parse(u"-1e400", english), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(parse(u"1e-400", english), 0.0);
    EXPECT_EQ(parse(std::u16string(400, u'9'), english), std::numeric_limits<double>::infinity());
}

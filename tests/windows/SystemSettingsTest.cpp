#include "win32/SystemRegionalSettings.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <set>

namespace corvane::win32::test {
namespace {

TEST(SystemRegionalSettings, GiveTwelveDistinctMonthNamesAndTwoDistinctSeparators) {
    const automation::FixedRegionalSettings regional = systemRegionalSettings();
    std::set<std::u16string> months;
    for (int month = 1; month <= 12; ++month) {
        EXPECT_FALSE(regional.monthAbbreviation(month).empty()) << month;
        months.insert(regional.monthAbbreviation(month));
    }
    EXPECT_EQ(months.size(), 12u);
    EXPECT_NE(regional.decimalSeparator(), regional.groupSeparator());
    // Those of the user's locale, whatever it is.
    wchar_t january[16] = {};
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SABBREVMONTHNAME1, january, 16);
    EXPECT_EQ(regional.monthAbbreviation(1), std::u16string(reinterpret_cast<const char16_t*>(january)));
}

}  // namespace
}  // namespace corvane::win32::test

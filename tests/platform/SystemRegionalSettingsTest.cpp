#include "automation/DateFormat.h"
#include "automation/AutomationDate.h"
#include "automation/NumberText.h"
#include "platform/SystemRegionalSettings.h"

#include <gtest/gtest.h>

using corvane::platform::SystemRegionalSettings;
using namespace corvane::automation;

TEST(SystemRegionalSettings, ReadSeparatorsAndMonthNamesFromTheLocale)
{
    const SystemRegionalSettings english(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(english.decimalSeparator(), u'.');
    EXPECT_EQ(english.groupSeparator(), u',');
    EXPECT_EQ(english.monthAbbreviation(12), u"Dec");
    EXPECT_EQ(number::formatSingle(12.5f, english), u"12.5");

    const SystemRegionalSettings german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(german.decimalSeparator(), u',');
    EXPECT_EQ(german.groupSeparator(), u'.');
    EXPECT_EQ(number::parse(u"1.234,5", german), 1234.5);
    EXPECT_FALSE(german.monthAbbreviation(3).empty());
    EXPECT_TRUE(german.monthAbbreviation(13).empty());
}

#include "automation/AutomationDate.h"
#include "automation/AutomationError.h"
#include "automation/DateFormat.h"

#include "ErrorNumber.h"

#include <gtest/gtest.h>

using namespace corvane::automation;
using corvane::testing::errorNumberOf;

namespace {

const RegionalSettings& english = FixedRegionalSettings::english();
const RegionalSettings& german = FixedRegionalSettings::german();

double at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) { return date::fromLocal({y, mo, d, h, mi, s}); }

}  // namespace

TEST(AutomationDates, CountDaysFromTheThirtiethOfDecember1899)
{
    EXPECT_EQ(at(1899, 12, 30), 0.0);
    EXPECT_EQ(at(1899, 12, 31), 1.0);
    EXPECT_EQ(at(1900, 1, 1, 12), 2.5);
    EXPECT_EQ(at(2026, 12, 6), 46362.0);
    EXPECT_EQ(at(1899, 12, 29, 6), -1.25);
    EXPECT_EQ(at(1899, 12, 29, 18), -1.75);
}

TEST(AutomationDates, ReadNegativeValuesAsADayWithTheTimeCountingForward)
{
    EXPECT_EQ(date::toLocal(-1.25), (LocalDateTime{1899, 12, 29, 6, 0, 0}));
    EXPECT_EQ(date::toLocal(-0.5), (LocalDateTime{1899, 12, 30, 12, 0, 0}));
    EXPECT_EQ(date::toLocal(-2.0), (LocalDateTime{1899, 12, 28, 0, 0, 0}));
}

TEST(AutomationDates, StepAcrossZeroByCalendarArithmetic)
{
    // The zero date minus a minute is the evening before, not 30 December
    // minus a fraction (which would read as a time on the 30th).
    const double earlier = date::addSeconds(0.0, -60);
    EXPECT_EQ(date::toLocal(earlier), (LocalDateTime{1899, 12, 29, 23, 59, 0}));
    EXPECT_EQ(date::addSeconds(earlier, 60), 0.0);
    EXPECT_EQ(date::secondsBetween(-1.25, 0.0), 18 * 3600);
    EXPECT_EQ(date::secondsBetween(at(2026, 12, 6, 8), at(2026, 12, 6, 7)), -3600);
    EXPECT_EQ(date::addSeconds(at(2026, 12, 31, 23, 59, 59), 1), at(2027, 1, 1));
    EXPECT_EQ(date::addSeconds(at(2024, 2, 28, 12), 86400), at(2024, 2, 29, 12));
}

TEST(AutomationDates, RoundToTheNearestSecond)
{
    const double almostEight = at(2026, 12, 6, 8) - 0.4 / 86400.0;
    EXPECT_EQ(date::toLocal(almostEight), (LocalDateTime{2026, 12, 6, 8, 0, 0}));
    const double beforeMidnight = at(2026, 12, 7) - 0.2 / 86400.0;
    EXPECT_EQ(date::toLocal(beforeMidnight), (LocalDateTime{2026, 12, 7, 0, 0, 0}));
}

TEST(AutomationDates, StayWithinTheYears100To9999)
{
    EXPECT_EQ(errorNumberOf([] { date::fromLocal({99, 12, 31}); }), error::kInvalidProcedureCall);
    EXPECT_EQ(errorNumberOf([] { date::fromLocal({10000, 1, 1}); }), error::kInvalidProcedureCall);
    EXPECT_EQ(errorNumberOf([] { date::fromLocal({2026, 2, 30}); }), error::kInvalidProcedureCall);
    const double last = at(9999, 12, 31, 23, 59, 59);
    EXPECT_EQ(errorNumberOf([&] { date::addSeconds(last, 1); }), error::kInvalidProcedureCall);
    EXPECT_EQ(errorNumberOf([] { date::addSeconds(at(100, 1, 1), -1); }), error::kInvalidProcedureCall);
    EXPECT_EQ(errorNumberOf([] { date::addSeconds(0.0, INT64_MAX); }), error::kInvalidProcedureCall);
    EXPECT_EQ(errorNumberOf([] { date::toSeconds(1e300); }), error::kInvalidProcedureCall);
    EXPECT_EQ(date::toSeconds(date::fromLocal({100, 1, 1})), date::kFirstSecond);
    EXPECT_EQ(date::toSeconds(last), date::kLastSecond);
    EXPECT_TRUE(date::inRange(last));
    EXPECT_FALSE(date::inRange(last + 1));
}

TEST(AutomationDates, TakeThePresentFromTheClock)
{
    SettableClock clock({2026, 12, 6, 10, 0, 0});
    EXPECT_EQ(date::now(clock), at(2026, 12, 6, 10));
}

TEST(DateFormats, WriteTheLabelListingAndLogForms)
{
    const double stamp = at(2026, 12, 6, 7, 5, 9);
    EXPECT_EQ(date::formatLongStamp(stamp, english), u"06 Dec 2026  07:05:09");
    EXPECT_EQ(date::formatShortStamp(stamp, english), u"06 Dec 26  07:05:09");
    EXPECT_EQ(date::formatTimeOfDay(at(2026, 12, 6, 14, 3, 7)), u"14:03:07");
    EXPECT_EQ(date::formatShortStamp(0.0, english), u"30 Dec 99  00:00:00");
    EXPECT_EQ(date::formatLongStamp(date::addSeconds(0.0, -60), english), u"29 Dec 1899  23:59:00");
    EXPECT_EQ(date::formatLongStamp(at(100, 1, 1), english), u"01 Jan 0100  00:00:00");
}

TEST(DateFormats, UseTheRegionalMonthNames)
{
    EXPECT_EQ(date::formatLongStamp(at(2026, 3, 1), german), u"01 Mär 2026  00:00:00");
    EXPECT_EQ(date::formatShortStamp(at(2026, 12, 24, 18), german), u"24 Dez 26  18:00:00");
}

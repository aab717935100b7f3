#include "ObjectModelFixture.h"
#include "automation/AutomationDate.h"
#include "automation/DateFormat.h"
#include "session/Data.h"
#include "tags/HistorySynthesis.h"
#include "tags/Tags.h"

#include <bit>
#include <cmath>
#include <cstring>

using namespace corvane;
using namespace corvane::testing;
using automation::Ref;
using automation::SafeArray;
using automation::Variant;

namespace {

double at(int d, int h, int m, int s = 0) { return automation::date::fromLocal({2026, 12, d, h, m, s}); }

std::uint32_t bitsOf(float value) { return std::bit_cast<std::uint32_t>(value); }

class HistorySynthesisTest : public ObjectModelFixture {
protected:
    HistorySynthesisTest() { console.sineWave = 0; }

    void window(double start, double end, std::int32_t frequency)
    {
        session->setStartTime(Variant::date(start));
        session->setEndTime(Variant::date(end));
        process.SessionSettings.SampleFrequency = frequency;
    }

    // Unpacks the tag into values/timestamps/confidences, returning the error number (0 when none).
    int unpack(const Ref<Tag>& which)
    {
        return errorNumberOf([&] { which->UnpackResults(values, timestamps, confidences); });
    }
    int unpack() { return unpack(tag); }

    std::size_t count() const { return values.array()->size(); }
    const std::vector<float>& valueList() const { return values.array()->elements<float>(); }
    const std::vector<double>& stampList() const { return timestamps.array()->elements<double>(); }
    std::u16string stampText(std::size_t i) const
    {
        return automation::date::formatShortStamp(stampList().at(i), *regional);
    }

    Ref<Data> session = Data::Create(process);
    Ref<Tag> tag = session->Tags()->Add(u"TIC101.PV", Variant::missing());
    Variant values{u"untouched"}, timestamps{u"untouched"}, confidences{u"untouched"};
};

}  // namespace

TEST_F(HistorySynthesisTest, GivesEvenlySpacedSamplesOverTheWindow)
{
    window(at(6, 7, 0), at(6, 8, 0), 60);
    ASSERT_EQ(unpack(), 0);
    EXPECT_EQ(values.vt(), 0x2004);
    EXPECT_EQ(timestamps.vt(), 0x2007);
    EXPECT_EQ(confidences.vt(), 0x2002);
    ASSERT_EQ(count(), 61u);
    EXPECT_EQ(values.array()->lowerBound(), 0);
    EXPECT_EQ(stampList().front(), at(6, 7, 0));
    EXPECT_EQ(stampList()[1], at(6, 7, 1));
    EXPECT_EQ(stampList().back(), at(6, 8, 0));
    EXPECT_EQ(console.text(Control::labelNumSamples), u"61");
    for (std::int16_t confidence : confidences.array()->elements<std::int16_t>()) EXPECT_EQ(confidence, 95);
}

TEST_F(HistorySynthesisTest, RaisesTheIntervalToFifteenSecondsForGood)
{
    window(at(6, 7, 0), at(6, 8, 0), 10);
    ASSERT_EQ(unpack(), 0);
    EXPECT_EQ(session->SampleFrequency(), 15);
    EXPECT_EQ(Data::Create(process)->SampleFrequency(), 15);
    ASSERT_EQ(count(), 241u);
    EXPECT_EQ(stampList()[1], at(6, 7, 0, 15));
}

TEST_F(HistorySynthesisTest, CountsSamplesRoundingHalfToEven)
{
    const struct { int seconds, frequency; std::size_t samples; } cases[] = {
        {3600, 60, 61}, {90, 60, 2}, {150, 60, 4}, {100, 15, 8}, {0, 60, 1}, {-29, 60, 1}};
    for (const auto& c : cases) {
        window(at(6, 7, 0), automation::date::addSeconds(at(6, 7, 0), c.seconds), c.frequency);
        ASSERT_EQ(unpack(), 0);
        EXPECT_EQ(count(), c.samples) << c.seconds << "/" << c.frequency;
    }
    // Not stretched to the end: 100 s at 15 s ends at start + 105 s.
    window(at(6, 7, 0), at(6, 7, 1, 40), 15);
    ASSERT_EQ(unpack(), 0);
    EXPECT_EQ(stampList().back(), at(6, 7, 1, 45));
}

TEST_F(HistorySynthesisTest, AFreshServerGivesOneSampleAtTheZeroDate)
{
    ASSERT_EQ(unpack(), 0);
    ASSERT_EQ(count(), 1u);
    EXPECT_EQ(stampText(0), u"30 Dec 99  00:00:00");
    EXPECT_EQ(session->SampleFrequency(), 15);
    // A negative time error steps back across the zero date to the day before.
    console.setText(Control::txtTimeError, u"-60");
    ASSERT_EQ(unpack(), 0);
    EXPECT_EQ(automation::date::formatLongStamp(stampList()[0], *regional), u"29 Dec 1899  23:59:00");
}

TEST_F(HistorySynthesisTest, EachStampIsItsSecondsDateAlsoAcrossDaysAndTheZeroDate)
{
    // Three days at an interval that leaves a different second of each day,
    // from before the zero date on: every stamp is the date of its second.
    const std::int64_t first = automation::date::toSeconds(-1.5);
    window(-1.5, 1.5, 7 * 3600 + 13);
    console.setText(Control::txtTimeError, u"-7");
    ASSERT_EQ(unpack(), 0);
    ASSERT_EQ(count(), 8u);
    for (std::size_t i = 0; i < count(); ++i) {
        const std::int64_t second = first - 7 + std::int64_t(i) * (7 * 3600 + 13);
        EXPECT_EQ(stampList()[i], automation::date::fromSeconds(second)) << i;
    }
}

TEST_F(HistorySynthesisTest, EmptyWindowFailsAfterShowingTheCountAndLeavesEverythingElse)
{
    window(at(6, 7, 0), at(6, 6, 59, 30), 60);
    console.setText(Control::txtData, u"previous listing");
    console.setText(Control::txtTimeError, u"abc");
    EXPECT_EQ(unpack(), 9);
    EXPECT_EQ(console.text(Control::labelNumSamples), u"0");
    EXPECT_EQ(values, Variant(u"untouched"));
    EXPECT_EQ(timestamps, Variant(u"untouched"));
    EXPECT_EQ(confidences, Variant(u"untouched"));
    EXPECT_EQ(console.text(Control::txtData), u"previous listing");
    EXPECT_EQ(console.text(Control::txtTimeError), u"abc");
}

TEST_F(HistorySynthesisTest, ShiftsEveryTimestampByTheTimeError)
{
    window(at(6, 7, 0), at(6, 7, 2), 60);
    console.setText(Control::txtTimeError, u"90");
    ASSERT_EQ(unpack(), 0);
    EXPECT_EQ(stampList()[0], at(6, 7, 1, 30));
    console.setText(Control::txtTimeError, u"2.5");
    ASSERT_EQ(unpack(), 0);
    EXPECT_EQ(stampList()[0], at(6, 7, 0, 2));
    for (const char16_t* notANumber : {u"abc", u""}) {
        console.setText(Control::txtTimeError, notANumber);
        ASSERT_EQ(unpack(), 0);
        EXPECT_EQ(stampList()[0], at(6, 7, 0));
        EXPECT_EQ(console.text(Control::txtTimeError), u"0");
    }
}

TEST_F(HistorySynthesisTest, FollowsTheSineWaveByTimeOfDay)
{
    console.sineWave = 1;
    tag->setPV(50);
    const struct { int h, m, s; std::uint32_t bits; } cases[] = {
        {0, 0, 0, 0x42480000},    // 50
        {0, 5, 8, 0x426ffff8},    // 59.99997
        {0, 15, 25, 0x42200008},  // 40.00003
        {7, 0, 0, 0x425af662},    // 54.74061
        {23, 59, 59, 0x424bdd1a}, // 50.96592
    };
    for (const auto& c : cases) {
        window(at(6, c.h, c.m, c.s), at(6, c.h, c.m, c.s), 60);
        ASSERT_EQ(unpack(), 0);
        EXPECT_EQ(bitsOf(valueList()[0]), c.bits) << c.h << ":" << c.m << ":" << c.s;
    }
    // The time error moves the point of the wave each sample shows.
    window(at(6, 0, 0), at(6, 0, 0), 60);
    console.setText(Control::txtTimeError, u"308");
    ASSERT_EQ(unpack(), 0);
    EXPECT_EQ(bitsOf(valueList()[0]), 0x426ffff8u);
}

TEST_F(HistorySynthesisTest, GivesEverySampleOfAMultiDayWindowItsOwnWaveValue)
{
    console.sineWave = 1;
    tag->setPV(50);
    console.setText(Control::txtPeriod, u"777");
    console.setText(Control::txtTimeError, u"-7");
    for (const std::int32_t frequency : {60, 17}) {  // 17 s does not divide a day
        window(at(5, 22, 0), at(8, 1, 0), frequency);
        ASSERT_EQ(unpack(), 0);
        for (std::size_t i = 0; i < count(); ++i) {
            const std::int64_t ofDay = (22 * 3600 + static_cast<std::int64_t>(i) * frequency - 7) % 86400;
            const auto expected = static_cast<float>(50.0 * (1.0 + 0.2 * std::sin(6.28318530717958 * ofDay / 777)));
            ASSERT_EQ(bitsOf(valueList()[i]), bitsOf(expected)) << "sample " << i << " at " << frequency << " s";
        }
    }
}

TEST_F(HistorySynthesisTest, WithTheSineOffEveryValueIsThePvWhateverThePeriodSays)
{
    tag->setPV(12.3456789f);
    window(at(6, 7, 0), at(6, 8, 0), 60);
    for (const char16_t* period : {u"abc", u"0", u"1234"}) {
        console.setText(Control::txtPeriod, period);
        ASSERT_EQ(unpack(), 0);
        for (float value : valueList()) EXPECT_EQ(bitsOf(value), bitsOf(12.3456789f));
    }
    console.sineWave = 2;  // greyed counts as off
    console.setText(Control::txtPeriod, u"abc");
    EXPECT_EQ(unpack(), 0);
}

TEST_F(HistorySynthesisTest, WithTheSineOnAZeroPvStaysZeroAndABadPeriodFails)
{
    console.sineWave = 1;
    window(at(6, 7, 0), at(6, 8, 0), 60);
    tag->setPV(0);
    ASSERT_EQ(unpack(), 0);
    for (float value : valueList()) EXPECT_EQ(value, 0.0f);
    const Variant earlier = values;

    console.dataWindowShown = true;
    console.setText(Control::txtPeriod, u"0");
    EXPECT_EQ(unpack(), 11);
    // The name line and the first timestamp were listed before the failure.
    EXPECT_EQ(console.text(Control::txtData), u"TIC101.PV\r\n06 Dec 26  07:00:00    ");
    console.setText(Control::txtPeriod, u"abc");
    EXPECT_EQ(unpack(), 13);
    console.setText(Control::txtPeriod, u"");
    EXPECT_EQ(unpack(), 13);
    console.setText(Control::txtPeriod, u"3000000000");
    EXPECT_EQ(unpack(), 6);
    EXPECT_EQ(values.array(), earlier.array());
}

TEST_F(HistorySynthesisTest, ReportsConfidenceZeroForAMissingTagValue)
{
    window(at(6, 7, 0), at(6, 7, 5), 60);
    tag->setConfidence(100);
    ASSERT_EQ(unpack(), 0);
    for (std::int16_t c : confidences.array()->elements<std::int16_t>()) EXPECT_EQ(c, 100);
    tag->setPV(-999);
    ASSERT_EQ(unpack(), 0);
    for (std::int16_t c : confidences.array()->elements<std::int16_t>()) EXPECT_EQ(c, 0);
    EXPECT_EQ(tag->Confidence(), 100);
}

TEST_F(HistorySynthesisTest, ListsTheSamplesOnlyWhileTheDataWindowIsShown)
{
    console.sineWave = 1;
    tag->setPV(50);
    window(at(6, 0, 5, 8), at(6, 0, 7, 8), 60);
    ASSERT_EQ(unpack(), 0);
    EXPECT_EQ(console.text(Control::txtData), u"TIC101.PV\r\n");

    console.dataWindowShown = true;
    ASSERT_EQ(unpack(), 0);
    EXPECT_EQ(console.text(Control::txtData), u"TIC101.PV\r\n"
                                              u"06 Dec 26  00:05:08    60.00\r\n"
                                              u"06 Dec 26  00:06:08    59.54\r\n"
                                              u"06 Dec 26  00:07:08    58.21\r\n");
}

TEST_F(HistorySynthesisTest, TwoSessionsShareTheLastWindowSet)
{
    window(at(6, 7, 0), at(6, 8, 0), 60);
    const Ref<Data> other = Data::Create(process);
    other->setStartTime(Variant::date(at(6, 7, 30)));
    ASSERT_EQ(unpack(), 0);
    EXPECT_EQ(count(), 31u);
    const Ref<Tag> otherTag = other->Tags()->Add(u"10PT101", Variant::missing());
    ASSERT_EQ(unpack(otherTag), 0);
    EXPECT_EQ(count(), 31u);
}

TEST_F(HistorySynthesisTest, RefusesWindowsAndShiftsBeyondItsArithmetic)
{
    window(at(6, 7, 0), automation::date::fromLocal({2096, 12, 6, 7, 0, 0}), 60);
    EXPECT_EQ(unpack(), 6);  // more than 2^31 seconds
    window(at(6, 7, 0), at(6, 8, 0), 60);
    console.setText(Control::txtTimeError, u"3000000000");
    EXPECT_EQ(unpack(), 6);
    console.setText(Control::txtTimeError, u"2147483600");
    EXPECT_EQ(unpack(), 6);  // i x F + E leaves 32 bits
    console.setText(Control::txtTimeError, u"0");
    window(automation::date::fromLocal({9999, 12, 31, 23, 59, 0}), automation::date::fromLocal({9999, 12, 31, 23, 59, 0}), 60);
    console.setText(Control::txtTimeError, u"60");
    EXPECT_EQ(unpack(), 5);
    EXPECT_EQ(values, Variant(u"untouched"));
}

TEST_F(HistorySynthesisTest, RefusesAHistoryTooLargeForOneReplyBeforeAllocatingIt)
{
    window(automation::date::fromLocal({2000, 1, 1, 0, 0, 0}), automation::date::fromLocal({2060, 1, 1, 0, 0, 0}), 15);
    EXPECT_EQ(unpack(), 7);
    EXPECT_EQ(values, Variant(u"untouched"));
}

TEST_F(HistorySynthesisTest, RaisesOverflowWhenTheWaveLeavesTheSingleRange)
{
    console.sineWave = 1;
    tag->setPV(3.3e38f);
    window(at(6, 0, 5, 8), at(6, 0, 5, 8), 60);
    EXPECT_EQ(unpack(), 6);
}

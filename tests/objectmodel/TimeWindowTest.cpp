#include "ObjectModelFixture.h"
#include "automation/AutomationDate.h"
#include "session/Data.h"

using namespace corvane;
using namespace corvane::testing;
using automation::Ref;
using automation::Variant;

namespace {

double at(int h, int m, int s = 0) { return automation::date::fromLocal({2026, 12, 6, h, m, s}); }

class TimeWindowLets : public ObjectModelFixture {
protected:
    double start() const { return session->StartTime().date(); }
    Ref<Data> session = Data::Create(process);
};

class CommaDecimalTimeWindow : public GermanObjectModelFixture {
protected:
    Ref<Data> session = Data::Create(process);
};

}  // namespace

TEST_F(TimeWindowLets, BothEndsStartAtTheZeroDateWithEmptyLabels)
{
    EXPECT_EQ(session->StartTime(), Variant::date(0));
    EXPECT_EQ(session->EndTime(), Variant::date(0));
    EXPECT_EQ(console.text(Control::labelStartTime), u"");
}

TEST_F(TimeWindowLets, StartTextIsAnOffsetInMinutesFromNow)
{
    for (const char16_t* text : {u"NOW-60M", u"-60M", u"NOW-60", u"-60", u" NOW - 60 M "}) {
        session->setStartTime(Variant(text));
        EXPECT_EQ(start(), at(9, 0)) << utf8(text);
    }
    EXPECT_EQ(console.text(Control::labelStartTime), u"06 Dec 2026  09:00:00");
    for (const char16_t* text : {u"NOW+30M", u"+30", u"30"}) {
        session->setStartTime(Variant(text));
        EXPECT_EQ(start(), at(10, 30)) << utf8(text);
    }
}

TEST_F(TimeWindowLets, StartOffsetsRoundHalfToEven)
{
    session->setStartTime(Variant(u"NOW-1.5M"));
    EXPECT_EQ(start(), at(9, 58));
    session->setStartTime(Variant(u"NOW-2.5M"));
    EXPECT_EQ(start(), at(9, 58));
}

TEST_F(TimeWindowLets, StartTextThatIsNoOffsetFailsAndChangesNothing)
{
    session->setStartTime(Variant(u"NOW-60M"));
    for (const char16_t* text : {u"NOW", u"NOWM", u"", u"now-60m", u"NOW-1H", u"NMOW-5", u"06 Dec 2026  09:00:00"})
        EXPECT_EQ(errorNumberOf([&] { session->setStartTime(Variant(text)); }), 13) << utf8(text);
    EXPECT_EQ(errorNumberOf([&] { session->setStartTime(Variant(u"-2147483649")); }), 6);
    EXPECT_EQ(errorNumberOf([&] { session->setStartTime(Variant(u"-2147483648")); }), 5);  // before the year 100
    clock.set({9999, 12, 31, 23, 0, 0});
    EXPECT_EQ(errorNumberOf([&] { session->setStartTime(Variant(u"NOW+60M")); }), 5);  // after 9999
    clock.set({2026, 12, 6, 10, 0, 0});
    EXPECT_EQ(start(), at(9, 0));
    EXPECT_EQ(console.text(Control::labelStartTime), u"06 Dec 2026  09:00:00");
}

TEST_F(TimeWindowLets, DatesAreStoredExactlyAndOtherTypesIgnored)
{
    const double withFraction = at(7, 0) + 0.25 / 86400.0;
    session->setStartTime(Variant::date(withFraction));
    EXPECT_EQ(start(), withFraction);
    console.setText(Control::labelStartTime, u"scribbled");
    session->setStartTime(Variant(-60));
    session->setStartTime(Variant::null());
    session->setStartTime(Variant());
    EXPECT_EQ(start(), withFraction);
    EXPECT_EQ(console.text(Control::labelStartTime), u"06 Dec 2026  07:00:00");  // rewritten all the same
    // A date value outside the calendar is no date and is refused.
    EXPECT_EQ(errorNumberOf([&] { session->setStartTime(Variant::date(1e10)); }), 5);
    EXPECT_EQ(start(), withFraction);
}

TEST_F(TimeWindowLets, AnyEndTextMeansNow)
{
    session->setEndTime(Variant(u"NOW-60M"));
    EXPECT_EQ(session->EndTime(), Variant::date(at(10, 0)));
    EXPECT_EQ(console.text(Control::labelEndTime), u"06 Dec 2026  10:00:00");
    session->setEndTime(Variant::date(at(8, 0)));
    EXPECT_EQ(session->EndTime(), Variant::date(at(8, 0)));
    session->setEndTime(Variant(5));
    EXPECT_EQ(session->EndTime(), Variant::date(at(8, 0)));
}

TEST_F(TimeWindowLets, TheWindowBelongsToTheProcessNotToTheSession)
{
    session->setStartTime(Variant(u"NOW-60M"));
    const Ref<Data> other = Data::Create(process);
    EXPECT_EQ(other->StartTime(), Variant::date(at(9, 0)));
    clock.set({2026, 12, 6, 11, 0, 0});
    EXPECT_EQ(session->StartTime(), Variant::date(at(9, 0)));  // resolved when set, never sliding
}

TEST_F(CommaDecimalTimeWindow, ReadsOffsetsWithTheRegionalDecimalSeparator)
{
    session->setStartTime(Variant(u"NOW-1,5M"));
    EXPECT_EQ(session->StartTime(), Variant::date(at(9, 58)));
    EXPECT_EQ(errorNumberOf([&] { session->setStartTime(Variant(u"NOW-1,5,5M")); }), 13);
    EXPECT_EQ(console.text(Control::labelStartTime), u"06 Dez 2026  09:58:00");
}

#include "ObjectModelFixture.h"
#include "automation/SafeArray.h"
#include "server/GridEditCommit.h"
#include "server/GridEditValue.h"
#include "session/Data.h"
#include "tags/Tags.h"

using namespace corvane;
using namespace corvane::testing;
using automation::Ref;
using automation::Variant;

namespace {

const automation::RegionalSettings& english = automation::FixedRegionalSettings::english();
const automation::RegionalSettings& german = automation::FixedRegionalSettings::german();

class GridEdit : public ObjectModelFixture {
protected:
    void commit(std::int32_t row, std::int32_t column, const char16_t* text) { edits.gridEditCommitted(row, column, text); }

    Ref<Data> session = Data::Create(process);
    Ref<Tag> first = session->Tags()->Add(u"TIC101.PV", Variant::missing());
    Ref<Tag> second = session->Tags()->Add(u"10PT101", Variant::missing());
    GridEditCommit edits{process};
};

}  // namespace

TEST(GridEditValues, PassTheRegionalTestThenReadTheLeadingNumber)
{
    EXPECT_EQ(GridEditValue(u"12.50", english), 12.5);
    EXPECT_EQ(GridEditValue(u"-4", english), -4.0);
    EXPECT_EQ(GridEditValue(u"1e3", english), 1000.0);
    EXPECT_EQ(GridEditValue(u"1,000", english), 1.0);  // numeric, but only the full stop is a point
    EXPECT_EQ(GridEditValue(u" 7 ", english), 7.0);
    EXPECT_EQ(GridEditValue(u"abc", english), 0.0);
    EXPECT_EQ(GridEditValue(u"", english), 0.0);
    EXPECT_EQ(GridEditValue(u"12abc", english), 0.0);  // not numeric as a whole
    EXPECT_EQ(GridEditValue(u"1e400", english), 0.0);  // beyond any number
    EXPECT_EQ(GridEditValue(u"12,5", german), 12.0);
    EXPECT_EQ(GridEditValue(u"12.5", german), 125.0 / 10.0);  // "12.5" is a grouped 125 there, read as 12.5
}

TEST(GridEditValues, LeadingNumberSkipsBlanksAndStopsAtTheFirstMisfit)
{
    EXPECT_EQ(LeadingNumber(u"1 2.5"), 12.5);
    EXPECT_EQ(LeadingNumber(u"- 4x"), -4.0);
    EXPECT_EQ(LeadingNumber(u"\t3\n"), 3.0);
    EXPECT_EQ(LeadingNumber(u"2e"), 2.0);
    EXPECT_EQ(LeadingNumber(u"2e+"), 2.0);
    EXPECT_EQ(LeadingNumber(u"2.5e-1z"), 0.25);
    EXPECT_EQ(LeadingNumber(u".5"), 0.5);
    EXPECT_EQ(LeadingNumber(u"x1"), 0.0);
    EXPECT_EQ(LeadingNumber(u"-"), 0.0);
}

TEST_F(GridEdit, ValueColumnSetsThePvOfTheRowsTag)
{
    commit(1, 1, u"12.50");
    EXPECT_EQ(first->PV(), 12.5f);
    commit(2, 1, u"abc");
    EXPECT_EQ(second->PV(), 0.0f);
    EXPECT_EQ(second->Confidence(), 100);
}

TEST_F(GridEdit, ConfidenceColumnRoundsHalfToEvenAndTheTagClamps)
{
    commit(1, 2, u"7");
    EXPECT_EQ(first->Confidence(), 7);
    commit(1, 2, u"150");
    EXPECT_EQ(first->Confidence(), 100);
    commit(1, 2, u"2.5");
    EXPECT_EQ(first->Confidence(), 2);
    commit(1, 2, u"3.5");
    EXPECT_EQ(first->Confidence(), 4);
    commit(1, 2, u"1e12");  // beyond 32 bits: nothing set
    EXPECT_EQ(first->Confidence(), 4);
    EXPECT_EQ(first->PV(), 42.5f);
}

TEST_F(GridEdit, FailuresReachNoTagAndRaiseNothing)
{
    commit(1, 1, u"1E+39");  // beyond the single range: dropped, not stored as infinity
    EXPECT_EQ(first->PV(), 42.5f);
    commit(1, 0, u"5");  // the name column is never a target
    commit(7, 1, u"5");  // no such row
    EXPECT_EQ(first->PV(), 42.5f);
    EXPECT_EQ(second->PV(), 3.25f);
}

TEST_F(GridEdit, RowsOfEarlierSessionsChangeNoTag)
{
    const Ref<Data> later = Data::Create(process);
    commit(1, 1, u"5");
    EXPECT_EQ(first->PV(), 42.5f);
    // A tag added under a key of the client's choosing is not found by its name either.
    const Ref<Tag> keyed = later->Tags()->Add(u"01LIC7", Variant(u"level"));
    commit(3, 1, u"5");
    EXPECT_EQ(keyed->PV(), 61.0f);
}

TEST_F(GridEdit, LaterHistoriesUseTheEditedValueAndConfidence)
{
    console.sineWave = 0;
    commit(1, 1, u"17.25");
    commit(1, 2, u"33");
    Variant values, stamps, confidences;
    first->UnpackResults(values, stamps, confidences);
    EXPECT_EQ(values.array()->elements<float>().at(0), 17.25f);
    EXPECT_EQ(confidences.array()->elements<std::int16_t>().at(0), 33);
}

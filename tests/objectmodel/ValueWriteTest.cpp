#include "ObjectModelFixture.h"
#include "server/GridErrors.h"
#include "session/Data.h"
#include "tags/Tags.h"

using namespace corvane;
using namespace corvane::testing;
using automation::Ref;
using automation::Variant;
using Rows = std::vector<std::string>;

namespace {

class ValueWrite : public ObjectModelFixture {
protected:
    ValueWrite() { clock.set({2026, 12, 6, 14, 3, 7}); }

    Ref<Tag> add(const char16_t* name) { return session->Tags()->Add(name, Variant::missing()); }
    std::u16string log() const { return console.text(Control::txtWriteLog); }

    Ref<Data> session = Data::Create(process);
};

}  // namespace

TEST_F(ValueWrite, StoresTheValueWithFullConfidenceAndLogsIt)
{
    const Ref<Tag> tag = add(u"TIC101.PV");
    tag->Put0(Variant(42.5), Variant::missing(), Variant::missing());
    EXPECT_EQ(tag->PV(), 42.5f);
    EXPECT_EQ(tag->Confidence(), 100);
    EXPECT_EQ(log(), u"14:03:07: TIC101.PV = 42.5\r\n");
}

TEST_F(ValueWrite, ConvertsAndClampsTheConfidenceAndIgnoresTheTime)
{
    const Ref<Tag> tag = add(u"TIC101.PV");
    const struct { Variant given; std::int32_t stored; } cases[] = {
        {Variant(80), 80}, {Variant(250), 100}, {Variant(-3), 0}, {Variant(99.5), 100}, {Variant(2.5), 2},
        {Variant(u"70"), 70}, {Variant(), 0}, {Variant::boolean(true), 0}};
    for (const auto& c : cases) {
        tag->Put0(Variant(1), Variant(u"no date at all"), c.given);
        EXPECT_EQ(tag->Confidence(), c.stored);
    }
}

TEST_F(ValueWrite, LogsTheStoredSingleInItsTextForm)
{
    const Ref<Tag> tag = add(u"TIC101.PV");
    tag->Put0(Variant(u"12.5"), Variant::missing(), Variant::missing());
    tag->Put0(Variant(123456789), Variant::missing(), Variant::missing());
    tag->Put0(Variant(12.3456789), Variant::missing(), Variant::missing());
    tag->Put0(Variant(0.00001), Variant::missing(), Variant::missing());
    EXPECT_EQ(tag->PV(), 1e-05f);
    EXPECT_EQ(log(), u"14:03:07: TIC101.PV = 12.5\r\n"
                     u"14:03:07: TIC101.PV = 1.234568E+08\r\n"
                     u"14:03:07: TIC101.PV = 12.34568\r\n"
                     u"14:03:07: TIC101.PV = 1E-05\r\n");
}

TEST_F(ValueWrite, AppendsAfterWhateverTheLogHoldsWithoutRewritingIt)
{
    const Ref<Tag> tag = add(u"TIC101.PV");
    tag->Put0(Variant(1), Variant::missing(), Variant::missing());
    console.setText(Control::txtWriteLog, u"");  // the operator's "Clear"
    const int appendsBefore = console.appendCalls;
    tag->Put0(Variant(2), Variant::missing(), Variant::missing());
    EXPECT_EQ(log(), u"14:03:07: TIC101.PV = 2\r\n");
    EXPECT_EQ(console.appendCalls, appendsBefore + 1);
}

TEST_F(ValueWrite, FailsInOrderConfidenceFirstThenValue)
{
    const Ref<Tag> tag = add(u"TIC101.PV");
    EXPECT_EQ(errorNumberOf([&] { tag->Put0(Variant(1), Variant::missing(), Variant(u"abc")); }), 13);
    EXPECT_EQ(errorNumberOf([&] { tag->Put0(Variant(1), Variant::missing(), Variant::null()); }), 94);
    EXPECT_EQ(errorNumberOf([&] { tag->Put0(Variant(1), Variant::missing(), Variant(3e9)); }), 6);
    EXPECT_EQ(tag->Confidence(), 95);
    EXPECT_EQ(tag->PV(), 42.5f);

    EXPECT_EQ(errorNumberOf([&] { tag->Put0(Variant(u"abc"), Variant::missing(), Variant(50)); }), 13);
    EXPECT_EQ(tag->Confidence(), 50);
    EXPECT_EQ(errorNumberOf([&] { tag->Put0(Variant::null(), Variant::missing(), Variant::missing()); }), 94);
    EXPECT_EQ(tag->Confidence(), 100);
    EXPECT_EQ(errorNumberOf([&] { tag->Put0(Variant(1e39), Variant::missing(), Variant::missing()); }), 6);
    EXPECT_EQ(tag->PV(), 42.5f);
    EXPECT_EQ(log(), u"");
    EXPECT_EQ(console.gridData.dataRows(), (Rows{"TIC101.PV|42.5|95"}));  // no refresh
}

TEST_F(ValueWrite, AWriteChangesOnlyThisTagNeverTheTagTable)
{
    const Ref<Tag> missing = add(u"NOT.THERE");
    missing->Put0(Variant(5), Variant::missing(), Variant::missing());
    EXPECT_EQ(missing->PV(), 5.0f);
    EXPECT_EQ(missing->Confidence(), 100);
    const Ref<Tag> written = add(u"TIC101.PV");
    written->Put0(Variant(1), Variant::missing(), Variant::missing());
    EXPECT_EQ(Data::Create(process)->Tags()->Add(u"TIC101.PV", Variant::missing())->PV(), 42.5f);
}

TEST_F(ValueWrite, RefreshesTheGridFromTheCurrentSessionByPosition)
{
    add(u"TIC101.PV");
    const Ref<Tag> second = add(u"10PT101");
    add(u"01LIC7");
    console.gridData.setTextMatrix(3, 1, u"typed by the operator");
    second->Put0(Variant(7), Variant::missing(), Variant(10));
    EXPECT_EQ(console.gridData.dataRows(), (Rows{"TIC101.PV|42.5|95", "10PT101|7|10", "01LIC7|61|80"}));
}

TEST_F(ValueWrite, RefreshWritesTheCurrentSessionsValuesOverTheTopRows)
{
    add(u"A");
    add(u"B");
    const Ref<Data> later = Data::Create(process);
    const Ref<Tag> c = later->Tags()->Add(u"C", Variant::missing());
    c->Put0(Variant(3), Variant::missing(), Variant(30));
    EXPECT_EQ(console.gridData.dataRows(), (Rows{"A|3|30", "B|-999|0", "C|-999|0"}));
}

TEST_F(ValueWrite, RefreshPastTheLastGridRowRaisesTheGridErrorAfterTheRowsBefore)
{
    const Ref<Tag> a = add(u"A");
    add(u"B");
    const Ref<Data> other = Data::Create(process);
    // The current session is `other`, with two tags of its own...
    other->Tags()->Add(u"C", Variant::missing());
    other->Tags()->Add(u"D", Variant::missing());
    // ...until another session's RemoveAll leaves the grid with one data row.
    session->Tags()->RemoveAll();
    console.gridData.setRows(2);
    console.gridData.setTextMatrix(1, 0, u"X");
    const Ref<Tag> d = other->Tags()->Item(Variant(u"D"));
    EXPECT_EQ(errorNumberOf([&] { d->Put0(Variant(4), Variant::missing(), Variant::missing()); }), kInvalidRowValue);
    EXPECT_EQ(console.gridData.dataRows(), (Rows{"X|-999|0"}));
    EXPECT_EQ(d->PV(), 4.0f);  // the write itself stands
    EXPECT_EQ(log(), u"14:03:07: D = 4\r\n");
}

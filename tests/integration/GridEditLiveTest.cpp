// The operator's grid edits reaching the current session's tags, keys and all.
#include "LiveWindowFixture.h"
#include "session/Data.h"
#include "automation/SafeArray.h"
#include "tags/Tags.h"

#include <QCheckBox>

using namespace corvane;
using namespace corvane::testing;
using automation::Ref;
using automation::Variant;

namespace {

template <class Base>
class GridEditLive : public Base {
protected:
    void SetUp() override
    {
        this->console.showMainWindow();
        this->window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&this->window()));
        session = Data::Create(this->process);
        tag = session->Tags()->Add(u"TIC101.PV", Variant::missing());
        other = session->Tags()->Add(u"10PT101", Variant::missing());
    }

    QTableView& table() const { return *this->window().gridData().template findChild<QTableView*>(); }
    QPoint centre(int row, int col) const
    {
        ui::TextGrid& grid = this->window().gridData();
        return table().viewport()->mapFrom(&grid, grid.cellRect(row, col).center());
    }
    // Opens the editor on a cell as the operator does, then types and commits.
    void edit(int row, int col, const char* typed)
    {
        QTest::mouseClick(table().viewport(), Qt::LeftButton, {}, centre(row, col));
        // One key at a time to whatever has the focus: the first opens the editor.
        for (const char* c = typed; *c != '\0'; ++c) QTest::keyClicks(QApplication::focusWidget(), QString(QChar(*c)));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    void unpack(Variant& values, Variant& confidences)
    {
        Variant stamps;
        tag->UnpackResults(values, stamps, confidences);
    }

    Ref<Data> session;
    Ref<Tag> tag;
    Ref<Tag> other;
};

class GermanLiveWindowFixture : public LiveWindowFixture {
protected:
    GermanLiveWindowFixture() : LiveWindowFixture(automation::FixedRegionalSettings::german()) {}
};

using GridEditOnTheLiveWindow = GridEditLive<LiveWindowFixture>;
using GridEditWithCommaDecimals = GridEditLive<GermanLiveWindowFixture>;

}  // namespace

TEST_F(GridEditOnTheLiveWindow, EditedValueAndConfidenceReachTheTagAndItsLaterHistory)
{
    edit(1, 1, "17.25");
    edit(1, 2, "150");
    EXPECT_EQ(cell(1, 1), "17.25");
    EXPECT_EQ(cell(1, 2), "150");  // the cell keeps what was typed
    EXPECT_EQ(tag->PV(), 17.25f);
    EXPECT_EQ(tag->Confidence(), 100);

    window().findChild<QCheckBox*>(QStringLiteral("chkSineWave"))->setChecked(false);
    Variant values, confidences;
    unpack(values, confidences);
    EXPECT_EQ(values.array()->elements<float>().at(0), 17.25f);
    EXPECT_EQ(confidences.array()->elements<std::int16_t>().at(0), 100);

    // The next client write refreshes the row with the tag's own values.
    other->Put0(Variant(1), Variant::missing(), Variant::missing());
    EXPECT_EQ(cell(1, 2), "100");
}

TEST_F(GridEditOnTheLiveWindow, TextThatIsNoNumberSetsZero)
{
    edit(2, 1, "abc");
    EXPECT_EQ(cell(2, 1), "abc");
    EXPECT_EQ(other->PV(), 0.0f);
}

TEST_F(GridEditOnTheLiveWindow, RowsOfAnEarlierSessionChangeNoTag)
{
    const Ref<Data> later = Data::Create(process);
    edit(1, 1, "5");
    EXPECT_EQ(cell(1, 1), "5");
    EXPECT_EQ(tag->PV(), 42.5f);
}

TEST_F(GridEditWithCommaDecimals, ReadsTheLeadingNumberWithTheFullStopOnly)
{
    edit(1, 1, "12,5");  // numeric here, but only a full stop counts as the point
    EXPECT_EQ(cell(1, 1), "12,5");
    EXPECT_EQ(tag->PV(), 12.0f);
    edit(1, 2, "2.5");  // "2.5" is a grouped 25 here, and reads as 2.5: confidence 2
    EXPECT_EQ(tag->Confidence(), 2);
}

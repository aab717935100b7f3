// The operator actions on the live window beyond the shared cases: edits
// meeting the operator's own, the log, what reading leaves alone.
#include "LiveOperatorFixture.h"

#include <QPushButton>

using namespace corvane;
using namespace corvane::operator_test;
using automation::Variant;

namespace {

using OperatorActionsOnTheWindow = LiveOperatorFixture;

TEST_F(OperatorActionsOnTheWindow, AnEditElsewhereCommitsTheEditTheOperatorLeftOpen)
{
    // Typed into row 2's value, then Tab took the focus on to the next box.
    clickCell(2, 1);
    QTest::keyClicks(QApplication::focusWidget(), "7");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget()->objectName(), "txtPeriod");
    ASSERT_TRUE(child<QLineEdit>("txtEditInput").isVisible());

    ASSERT_TRUE(actions.editCell(1, 2, u"50"));
    EXPECT_EQ(cell(2, 1), "7");
    EXPECT_EQ(other->PV(), 7.0f);
    EXPECT_EQ(cell(1, 2), "50");
    EXPECT_EQ(tag->Confidence(), 50);
}

TEST_F(OperatorActionsOnTheWindow, CellsTheOperatorCannotMakeCurrentAreRefusedAndNothingChanges)
{
    const std::pair<int, int> refused[] = {{0, 1}, {1, 0}, {3, 1}, {1, 3}, {-1, 1}, {1, -1}};
    for (const auto& [row, column] : refused) {
        EXPECT_FALSE(actions.editCell(row, column, u"5")) << row << ", " << column;
    }
    EXPECT_EQ(cell(0, 1), "Value");
    EXPECT_EQ(cell(1, 0), "TIC101.PV");
    EXPECT_EQ(tag->PV(), 42.5f);
    EXPECT_FALSE(child<QLineEdit>("txtEditInput").isVisibleTo(&window()));
}

TEST_F(OperatorActionsOnTheWindow, TheWriteLogGrowsLineByLineAndClearEmptiesIt)
{
    std::vector<std::u16string> grown;
    actions.setWriteLogListener([&grown](std::u16string_view added) { grown.emplace_back(added); });
    tag->Put0(Variant(1.5), Variant::missing(), Variant::missing());
    other->Put0(Variant(2), Variant::missing(), Variant::missing());
    EXPECT_EQ(actions.writeLog(), u"10:00:00: TIC101.PV = 1.5\r\n10:00:00: 10PT101 = 2\r\n");
    EXPECT_EQ(grown, (std::vector<std::u16string>{u"10:00:00: TIC101.PV = 1.5\r\n", u"10:00:00: 10PT101 = 2\r\n"}));

    // Taking text away is no growth; what the operator types at the end is.
    actions.clearWriteLog();
    EXPECT_EQ(actions.writeLog(), u"");
    auto& log = child<QPlainTextEdit>("txtWriteLog");
    log.setFocus();
    QTest::keyClicks(&log, "ok");
    QTest::keyClick(&log, Qt::Key_Home);
    QTest::keyClicks(&log, "<");
    EXPECT_EQ(actions.writeLog(), u"<ok");
    EXPECT_EQ(grown.size(), 4u);
    EXPECT_EQ(grown.back(), u"k");
}

TEST_F(OperatorActionsOnTheWindow, TheDataListingIsReadWithoutLoadingTheDataWindow)
{
    EXPECT_EQ(actions.dataListing(), u"");
    EXPECT_FALSE(console.dataWindow().isLoaded());

    QTest::mouseClick(&child<QPushButton>("cmdData"), Qt::LeftButton);
    Variant values, stamps, confidences;
    tag->UnpackResults(values, stamps, confidences);
    const std::u16string listing = actions.dataListing();
    EXPECT_EQ(listing, console.text(Control::txtData));
    EXPECT_EQ(listing.substr(0, 11), u"TIC101.PV\r\n");
    EXPECT_EQ(std::count(listing.begin(), listing.end(), u'\n'), 22);
}

TEST(OperatorActionsBeforeAnyClient, LoadTheWindowWithoutShowingIt)
{
    ui::QtOperatorConsole console;
    ui::QtOperatorActions actions(console);
    actions.setSineWave(false);
    actions.typePeriod(u"60");
    EXPECT_TRUE(console.isMainWindowLoaded());
    EXPECT_FALSE(console.mainWindow().isVisible());
    EXPECT_EQ(console.sineWaveValue(), 0);
    EXPECT_EQ(console.text(Control::txtPeriod), u"60");
    EXPECT_EQ(actions.gridRows(), (OperatorActions::Rows{{u"Tag", u"Value", u"Confidence"}}));
}

}  // namespace

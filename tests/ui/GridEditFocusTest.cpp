#include "GridEditFixture.h"

#include <QScrollBar>

namespace corvane::ui::test {
namespace {

using GridEditFocus = GridEditFixture;

TEST_F(GridEditFocus, TabLeavesTheEditOpenAwayAndALaterClickOnTheGridCommitsItToItsCell) {
    clickCell(1, 2);
    type("42");
    press(Qt::Key_Tab);
    EXPECT_EQ(focusedControlName(), QStringLiteral("txtPeriod"));
    EXPECT_TRUE(editorShown());
    EXPECT_EQ(editor().text(), QStringLiteral("42"));
    EXPECT_TRUE(events.commits.empty());

    clickCell(3, 1);
    EXPECT_FALSE(editorShown());
    EXPECT_EQ(cell(1, 2), QStringLiteral("42"));
    EXPECT_EQ(cell(3, 1), QStringLiteral("5"));
    EXPECT_EQ(events.commits, (Commits{{1, 2, u"42"}}));
    EXPECT_EQ(grid().row(), 3);
}

TEST_F(GridEditFocus, AClickBackIntoAnEditLeftOpenGoesOnEditingIt) {
    clickCell(2, 1);
    type("1");
    press(Qt::Key_Tab);
    QTest::mouseClick(&editor(), Qt::LeftButton);
    EXPECT_TRUE(editor().hasFocus());
    type("5");
    press(Qt::Key_Return);
    EXPECT_EQ(events.commits, (Commits{{2, 1, u"15"}}));
}

TEST_F(GridEditFocus, ShiftTabGoesBackToTheGridAndCommits) {
    clickCell(2, 2);
    type("3");
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(focusedControlName(), QStringLiteral("gridData"));
    EXPECT_FALSE(editorShown());
    EXPECT_EQ(events.commits, (Commits{{2, 2, u"3"}}));
}

TEST_F(GridEditFocus, ScrollingTheCurrentRowOutAboveCommitsAndMovesItToTheTop) {
    for (int i = 0; i < 40; ++i) {
        addRow(u"T.PV", u"1", u"100");
    }
    clickCell(2, 1);
    type("7");
    press(Qt::Key_Tab);
    table().verticalScrollBar()->triggerAction(QScrollBar::SliderPageStepAdd);
    const int top = grid().topRow();
    ASSERT_GT(top, 2);
    EXPECT_EQ(events.commits, (Commits{{2, 1, u"7"}}));
    EXPECT_EQ(cell(2, 1), QStringLiteral("7"));
    EXPECT_EQ(grid().row(), top);
}

TEST_F(GridEditFocus, ClientCallsWhileAnEditIsOpenLeaveItOpen) {
    clickCell(2, 1);
    type("3");
    GridControl& control = console.grid();
    control.setTextMatrix(2, 1, u"-998");
    addRow(u"PIC12.PV", u"12.5", u"80");
    control.removeRow(4);
    console.setText(Control::labelNumSamples, u"61");
    EXPECT_TRUE(editor().hasFocus());
    EXPECT_EQ(editor().text(), QStringLiteral("3"));
    EXPECT_TRUE(events.commits.empty());

    press(Qt::Key_Return);
    EXPECT_EQ(events.commits, (Commits{{2, 1, u"3"}}));
    EXPECT_EQ(cell(2, 1), QStringLiteral("3"));
}

TEST(GridEditWithoutDataRows, OpensNothing) {
    QtOperatorConsole console;
    RecordingConsoleEvents events;
    console.setConsoleEvents(&events);
    console.showMainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&console.mainWindow()));
    TextGrid& grid = console.mainWindow().gridData();
    auto* table = grid.findChild<QTableView*>();
    grid.setFocus();
    QTest::keyClicks(table, "5");
    QTest::mouseDClick(table->viewport(), Qt::LeftButton);
    console.mainWindow().gridEdit(32);
    EXPECT_TRUE(console.mainWindow().findChild<QLineEdit*>(QStringLiteral("txtEditInput"))->isHidden());
    EXPECT_EQ(grid.text(0, 1), QStringLiteral("Value"));
    EXPECT_TRUE(events.commits.empty());
}

TEST_F(GridEditFocus, AnEditWhoseRowsWereAllRemovedWritesNothingAndHandsNothingOn) {
    clickCell(1, 1);
    type("9");
    console.grid().setRows(1);
    QTest::mouseClick(table().viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(editorShown());
    EXPECT_EQ(cell(0, 1), QStringLiteral("Value"));
    EXPECT_TRUE(events.commits.empty());
}

}  // namespace
}  // namespace corvane::ui::test

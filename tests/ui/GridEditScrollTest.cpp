// The grid under an open editor: only the operator scrolls it, and a commit
// the scrolling causes leaves the keyboard with the grid.
#include "GridEditFixture.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QWheelEvent>

namespace corvane::ui::test {
namespace {

class GridEditScroll : public GridEditFixture {
protected:
    void addRows(int count) {
        for (int i = 0; i < count; ++i) {
            addRow(u"T.PV", u"1", u"100");
        }
        settle();
    }

    QRect viewportRect(int row, int col) const {
        const QRect inGrid = grid().cellRect(row, col);
        return {table().viewport()->mapFrom(&grid(), inGrid.topLeft()), inGrid.size()};
    }

    // The first data row that the view shows only in part.
    int partlyVisibleRow() const {
        for (int row = 1; row < grid().rows(); ++row) {
            if (viewportRect(row, 1).bottom() >= table().viewport()->height()) {
                return row;
            }
        }
        return 0;
    }

    // A click on the part of a cell that is in view, then at once a key.
    void clickAndType(int row, int col, const char* typed) {
        const QRect shown = viewportRect(row, col).intersected(table().viewport()->rect());
        QTest::mouseClick(table().viewport(), Qt::LeftButton, {}, shown.center());
        type(typed);
    }

    // Whether the grid scrolls, either way, within the time Qt would take to
    // scroll a clicked cell into view.
    bool scrollsSoon() const {
        QSignalSpy vertical(table().verticalScrollBar(), &QScrollBar::valueChanged);
        QSignalSpy horizontal(table().horizontalScrollBar(), &QScrollBar::valueChanged);
        vertical.wait(QApplication::doubleClickInterval() + 300);
        return vertical.count() + horizontal.count() > 0;
    }

    QRect editedCellInWindow(int row, int col) const { return grid().cellRect(row, col).translated(grid().pos()); }

    void turnWheel(int notches) const {
        const QPoint at = table().viewport()->rect().center();
        QWheelEvent wheel(at, table().viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120 * notches), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(table().viewport(), &wheel);
    }
};

TEST_F(GridEditScroll, AClickOnAHalfShownRowFollowedAtOnceByTypingEditsThatRowWhereItIs) {
    addRows(10);
    const int row = partlyVisibleRow();
    ASSERT_GT(row, 1);
    clickAndType(row, 1, "7");
    ASSERT_TRUE(editorShown());
    EXPECT_FALSE(scrollsSoon());
    EXPECT_EQ(grid().row(), row);
    EXPECT_EQ(editor().geometry(), editedCellInWindow(row, 1));

    press(Qt::Key_Return);
    EXPECT_EQ(events.commits, (Commits{{row, 1, u"7"}}));
    EXPECT_EQ(cell(row, 1), QStringLiteral("7"));
}

TEST_F(GridEditScroll, AClickOnAPartlyShownConfidenceCellDoesNotMoveItFromUnderTheEditor) {
    addRows(10);  // the vertical scroll bar narrows the view, which then cuts the last column
    ASSERT_TRUE(table().horizontalScrollBar()->isVisible());
    ASSERT_GT(viewportRect(1, 2).right(), table().viewport()->width());
    clickAndType(1, 2, "9");
    EXPECT_FALSE(scrollsSoon());
    EXPECT_EQ(editor().geometry(), editedCellInWindow(1, 2));
    press(Qt::Key_Return);
    EXPECT_EQ(events.commits, (Commits{{1, 2, u"9"}}));
}

TEST_F(GridEditScroll, TheKeysStillScrollTheCurrentCellIntoView) {
    addRows(30);
    grid().setFocus();
    for (int i = 1; i < grid().rows(); ++i) {
        press(Qt::Key_Down);
    }
    EXPECT_EQ(grid().row(), grid().rows() - 1);
    EXPECT_LE(viewportRect(grid().row(), 1).bottom(), table().viewport()->height());
}

TEST_F(GridEditScroll, TheWheelDuringAnEditCommitsItAndLeavesTheKeyboardWithTheGrid) {
    addRows(40);
    clickCell(1, 1);
    type("42");
    turnWheel(2);
    ASSERT_GT(grid().topRow(), 1);
    EXPECT_FALSE(editorShown());
    EXPECT_EQ(events.commits, (Commits{{1, 1, u"42"}}));
    EXPECT_EQ(focusedControlName(), QStringLiteral("gridData"));

    // The next digit opens an edit on the grid rather than overwriting a setting.
    type("5");
    EXPECT_EQ(child<QLineEdit>("txtPeriod").text(), QStringLiteral("1234"));
    EXPECT_TRUE(editorShown());
    EXPECT_EQ(editor().text(), QStringLiteral("5"));
}

TEST_F(GridEditScroll, TheWheelLeavesTheFocusWhereItIsWhileTheEditIsAway) {
    addRows(40);
    clickCell(1, 1);
    type("42");
    press(Qt::Key_Tab);
    turnWheel(2);
    EXPECT_EQ(events.commits, (Commits{{1, 1, u"42"}}));
    EXPECT_EQ(focusedControlName(), QStringLiteral("txtPeriod"));
}

}  // namespace
}  // namespace corvane::ui::test

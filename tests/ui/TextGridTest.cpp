#include "GridRows.h"
#include "OperatorWindowFixture.h"
#include "ui/TextGrid.h"

#include <QTableView>

namespace corvane::ui::test {
namespace {

class TextGridUse : public OperatorWindowFixture {
protected:
    TextGrid& grid() const { return window().gridData(); }

    void addRows(int count) const {
        const int first = grid().rows();
        grid().setRows(first + count);
        for (int row = first; row < first + count; ++row) {
            const QString number = QString::number(row);
            grid().setText(row, 0, QStringLiteral("TAG") + number);
            grid().setText(row, 1, QStringLiteral("V") + number);
            grid().setText(row, 2, QStringLiteral("C") + number);
        }
    }

    QStringList tagColumn() const {
        QStringList tags;
        for (int row = 1; row < grid().rows(); ++row) {
            tags.append(grid().text(row, 0));
        }
        return tags;
    }

    QTableView& table() const { return *grid().findChild<QTableView*>(); }

    void clickAt(QPoint inGrid) const {
        QWidget* target = grid().childAt(inGrid);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&grid(), inGrid));
    }
};

TEST_F(TextGridUse, GrowsAndShrinksAtTheBottom) {
    addRows(4);
    EXPECT_EQ(grid().rows(), 5);
    grid().setRows(3);
    EXPECT_EQ(tagColumn(), QStringList({"TAG1", "TAG2"}));
    grid().setRows(4);
    EXPECT_EQ(grid().text(3, 0), QString());
    EXPECT_EQ(grid().text(3, 1), QString());
    EXPECT_EQ(grid().text(0, 1), QStringLiteral("Value"));
}

TEST_F(TextGridUse, RemovingARowMovesTheRowsBelowItUpWithAllTheirCells) {
    addRows(4);
    grid().removeRow(2);
    EXPECT_EQ(tagColumn(), QStringList({"TAG1", "TAG3", "TAG4"}));
    EXPECT_EQ(grid().text(2, 1), QStringLiteral("V3"));
    EXPECT_EQ(grid().text(2, 2), QStringLiteral("C3"));
    grid().removeRow(3);
    grid().removeRow(1);
    grid().removeRow(1);
    EXPECT_EQ(grid().rows(), 1);
    EXPECT_EQ(grid().row(), 0);
}

TEST_F(TextGridUse, KeepsTheCaptionCellsThroughTheObjectModelInterface) {
    GridControl& control = console.grid();
    control.setTextMatrix(0, 0, u"Name");
    EXPECT_EQ(control.textMatrix(0, 0), u"Name");
    EXPECT_EQ(control.textMatrix(0, 2), u"Confidence");
    control.setRows(2);
    control.setTextMatrix(1, 0, u"TIC101.PV");
    control.setTextMatrix(1, 2, u"100");
    EXPECT_EQ(control.textMatrix(1, 0), u"TIC101.PV");
    EXPECT_EQ(control.textMatrix(1, 2), u"100");
}

TEST_F(TextGridUse, RaisesItsOwnErrorsForCellsOutsideIt) {
    addRows(1);
    corvane::test::expectOutOfRangeErrors(console.grid());
}

TEST_F(TextGridUse, MakesTheFirstDataCellCurrentWhenTheFirstRowArrives) {
    EXPECT_EQ(grid().row(), 0);
    addRows(2);
    EXPECT_EQ(grid().row(), 1);
    EXPECT_EQ(grid().col(), 1);
}

TEST_F(TextGridUse, LetsOnlyDataCellsBecomeCurrent) {
    addRows(3);
    clickAt(grid().cellRect(2, 2).center());
    EXPECT_EQ(grid().row(), 2);
    EXPECT_EQ(grid().col(), 2);

    clickAt(grid().cellRect(3, 0).center());
    clickAt(grid().cellRect(0, 1).center());
    clickAt(grid().cellRect(0, 0).center());
    EXPECT_EQ(grid().row(), 2);
    EXPECT_EQ(grid().col(), 2);

    QTest::keyClick(&table(), Qt::Key_Left);
    QTest::keyClick(&table(), Qt::Key_Left);
    EXPECT_EQ(grid().col(), 1);
    QTest::keyClick(&table(), Qt::Key_Up);
    QTest::keyClick(&table(), Qt::Key_Up);
    EXPECT_EQ(grid().row(), 1);
}

TEST_F(TextGridUse, AnnouncesACurrentCellChangeBeforeItHappens) {
    addRows(3);
    int rowWhenAnnounced = -1;
    QObject::connect(&grid(), &TextGrid::currentCellAboutToChange, &grid(),
                     [&] { rowWhenAnnounced = grid().row(); });
    clickAt(grid().cellRect(3, 1).center());
    EXPECT_EQ(rowWhenAnnounced, 1);
    EXPECT_EQ(grid().row(), 3);
}

TEST_F(TextGridUse, DoesNotAnnounceCurrentCellChangesCausedByRowsComingOrGoing) {
    addRows(3);
    grid().setCurrentCell(3, 2);
    int announced = 0;
    QObject::connect(&grid(), &TextGrid::currentCellAboutToChange, &grid(), [&] { ++announced; });
    grid().setRows(2);
    grid().removeRow(1);
    addRows(2);
    EXPECT_EQ(announced, 0);
}

TEST_F(TextGridUse, ScrollsByTopRowAndReportsIt) {
    addRows(40);
    int scrolls = 0;
    QObject::connect(&grid(), &TextGrid::scrolled, &grid(), [&] { ++scrolls; });
    grid().setTopRow(10);
    EXPECT_EQ(grid().topRow(), 10);
    EXPECT_EQ(scrolls, 1);
    // The cell rectangle follows the scrolling: row 10 sits right under the caption row.
    EXPECT_EQ(grid().cellRect(10, 1).top(), grid().cellRect(0, 1).bottom() + 1);
}

TEST_F(TextGridUse, DoesNotReportScrollingWhenRemovedRowsPullTheViewBack) {
    addRows(40);
    grid().setTopRow(30);
    int scrolls = 0;
    QObject::connect(&grid(), &TextGrid::scrolled, &grid(), [&] { ++scrolls; });
    grid().setRows(4);
    grid().removeRow(1);
    QApplication::processEvents();
    EXPECT_EQ(grid().topRow(), 1);
    EXPECT_EQ(scrolls, 0);

    addRows(40);
    grid().setTopRow(20);
    EXPECT_EQ(scrolls, 1);
}

TEST_F(TextGridUse, MovesTheCurrentCellByCodeWithoutScrolling) {
    addRows(40);
    grid().setCurrentCell(35, 2);
    EXPECT_EQ(grid().row(), 35);
    EXPECT_EQ(grid().col(), 2);
    EXPECT_EQ(grid().topRow(), 1);
}

TEST_F(TextGridUse, KeepsManyRowsInOrderThroughRemovals) {
    addRows(10000);
    for (int removed = 0; removed < 100; ++removed) {
        grid().removeRow(1 + removed * 50);
    }
    EXPECT_EQ(grid().rows(), 1 + 10000 - 100);
    EXPECT_EQ(grid().text(1, 0), QStringLiteral("TAG2"));
    EXPECT_EQ(grid().text(grid().rows() - 1, 2), QStringLiteral("C10000"));
}

}  // namespace
}  // namespace corvane::ui::test

// The grid as the object model uses it: rows coming and going, cells outside
// it, and the current cell kept on a data cell through it all.
#include "WindowFixture.h"
#include "GridRows.h"

#include <commctrl.h>


namespace corvane::win32::test {
namespace {

class GridControlUse : public WindowFixture {
protected:
    ListViewGrid& grid() const { return window().gridData(); }

    void addRows(int count) const {
        const int first = grid().rows();
        grid().setRows(first + count);
        for (int row = first; row < first + count; ++row) {
            grid().setTextMatrix(row, 0, u"TAG" + std::u16string(1, char16_t(u'0' + row % 10)));
        }
    }

    int itemsShown() const { return static_cast<int>(SendMessageW(grid().handle(), LVM_GETITEMCOUNT, 0, 0)); }
};

TEST_F(GridControlUse, GrowsShrinksAndRemovesRowsWithAllTheirCells) {
    addRows(4);
    grid().setTextMatrix(3, 2, u"C3");
    EXPECT_EQ(itemsShown(), 4);
    grid().removeRow(2);
    EXPECT_EQ(grid().textMatrix(2, 0), u"TAG3");
    EXPECT_EQ(grid().textMatrix(2, 2), u"C3");
    grid().setRows(2);
    grid().setRows(3);
    EXPECT_EQ(grid().textMatrix(2, 0), u"");
    EXPECT_EQ(grid().textMatrix(0, 2), u"Confidence");
    EXPECT_EQ(itemsShown(), 2);
}

TEST_F(GridControlUse, RaisesItsOwnErrorsForCellsOutsideIt) {
    addRows(1);
    corvane::test::expectOutOfRangeErrors(console.grid());
}

TEST_F(GridControlUse, KeepsTheCurrentCellOnADataCellAsRowsComeAndGo) {
    EXPECT_EQ(grid().row(), 0);
    addRows(5);
    EXPECT_EQ(grid().row(), 1);
    EXPECT_EQ(grid().col(), 1);
    grid().setCurrentCell(4, 2);
    grid().removeRow(2);  // a row above: the current one moves up with its cells
    EXPECT_EQ(grid().row(), 3);
    grid().setRows(3);  // the current row dropped at the bottom
    EXPECT_EQ(grid().row(), 2);
    grid().setRows(1);
    EXPECT_EQ(grid().row(), 0);
    addRows(1);
    EXPECT_EQ(grid().row(), 1);
    EXPECT_EQ(grid().col(), 2);  // the column is kept while there are no rows
}

TEST_F(GridControlUse, MovesTheCurrentCellByCodeWithoutScrollingAndScrollsByTopRow) {
    addRows(40);
    grid().setCurrentCell(35, 2);
    EXPECT_EQ(grid().row(), 35);
    EXPECT_EQ(grid().topRow(), 1);
    grid().setTopRow(10);
    EXPECT_EQ(grid().topRow(), 10);
    EXPECT_EQ(grid().cellRect(10, 1).top, grid().cellRect(0, 1).top + grid().cellRect(0, 1).height);
}

}  // namespace
}  // namespace corvane::win32::test

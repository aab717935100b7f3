// How the window's grid shows its columns and texts.
#include "GridEditFixture.h"
#include "ui/Twips.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QScrollBar>
#include <QStyle>
#include <QToolTip>

namespace corvane::ui::test {
namespace {

class GridText : public GridEditFixture {
protected:
    QImage grabCell(int row, int col, int width) const {
        settle();
        const QRect cellRect = grid().cellRect(row, col);
        return grid().grab(QRect(cellRect.topLeft(), QSize(width, cellRect.height()))).toImage();
    }

    // What the grid's area under `inGrid` shows as a tooltip when asked.
    QString toolTipAt(QPoint inGrid) const {
        QWidget* area = grid().childAt(inGrid);
        const QPoint local = area->mapFrom(&grid(), inGrid);
        QHelpEvent help(QEvent::ToolTip, local, area->mapToGlobal(local));
        QApplication::sendEvent(area, &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }
};

TEST_F(GridText, ShowsTheThreeColumnsWithoutAHorizontalScrollBar) {
    console.grid().setRows(1);
    settle();
    EXPECT_FALSE(table().horizontalScrollBar()->isVisible());
    EXPECT_EQ(grid().colWidth(2), twipsToPixels(1000));  // the default, as the grid was made for
    const QHeaderView& captions = *table().horizontalHeader();
    const int margin = captions.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &captions);
    EXPECT_LE(captions.fontMetrics().horizontalAdvance(QStringLiteral("Confidence")) + 2 * margin, grid().colWidth(2));

    // Rows up to what the grid shows without a vertical scroll bar.
    while (!table().verticalScrollBar()->isVisible()) {
        ASSERT_FALSE(table().horizontalScrollBar()->isVisible()) << grid().rows() << " rows";
        addRow(u"T.PV", u"1", u"100");
        settle();
    }
    EXPECT_GT(grid().rows(), 4);
}

// Clipped, the start of a long text looks exactly as it does in a cell wide
// enough for all of it; an ellipsis would replace its last visible digits.
TEST_F(GridText, ClipsALongTextAtTheCellsEdgeWithoutAnEllipsis) {
    const QString longValue = QStringLiteral("-1.234568E+08");
    console.grid().setTextMatrix(2, 1, u"-1.234568E+08");
    const int narrow = grid().colWidth(1);
    ASSERT_GT(table().fontMetrics().horizontalAdvance(longValue), narrow);
    const int inside = narrow - 1;  // short of the grid line at the cell's edge
    const QImage clipped = grabCell(2, 1, inside);

    grid().setColWidth(1, 4 * narrow);
    const QImage whole = grabCell(2, 1, inside);
    grid().setColWidth(1, narrow);
    EXPECT_EQ(clipped, whole);
    EXPECT_EQ(cell(2, 1), longValue);
}

TEST_F(GridText, ShowsTheWholeTextOfADataOrNameCellAsItsTooltip) {
    addRow(u"FIC1234567.PV.LONGNAME", u"-1.234568E+08", u"");
    const int row = grid().rows() - 1;
    EXPECT_EQ(toolTipAt(grid().cellRect(row, 2).center()), QString());  // an empty cell has none
    EXPECT_EQ(toolTipAt(grid().cellRect(row, 1).center()), QStringLiteral("-1.234568E+08"));
    EXPECT_EQ(toolTipAt(grid().cellRect(row, 0).center()), QStringLiteral("FIC1234567.PV.LONGNAME"));
    EXPECT_EQ(toolTipAt(grid().cellRect(1, 1).center()), QStringLiteral("12.5"));
}

}  // namespace
}  // namespace corvane::ui::test

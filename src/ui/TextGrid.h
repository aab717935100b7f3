#pragma once

#include "server/OperatorConsole.h"

#include <QWidget>

namespace corvane::ui {

class GridTableView;

// A grid of text cells with one fixed caption row and one fixed first column,
// addressed like the object model addresses it: row 0 is the caption row,
// column 0 the fixed column, data cells start at (1, 1). The only code that
// touches Qt's table API.
class TextGrid final : public QWidget, public GridControl {
    Q_OBJECT

public:
    explicit TextGrid(QWidget* parent = nullptr);

    std::int32_t rows() const override;
    void setRows(std::int32_t rows) override;
    std::int32_t cols() const override;
    void setCols(std::int32_t cols);
    std::u16string textMatrix(std::int32_t row, std::int32_t col) const override;
    void setTextMatrix(std::int32_t row, std::int32_t col, std::u16string_view text) override;
    void removeRow(std::int32_t row) override;

    QString text(int row, int col) const;
    void setText(int row, int col, const QString& text);

    int fixedRows() const { return 1; }
    int fixedCols() const { return 1; }
    bool hasDataRows() const { return rows() > fixedRows(); }

    // Columns are this wide until they are given a width of their own: the
    // operator window's grid was made to show three such columns side by
    // side, its fixed column included, with no horizontal scroll bar.
    static constexpr int kDefaultColWidthTwips = 1000;

    // In pixels.
    int colWidth(int col) const;
    void setColWidth(int col, int width);

    // The current cell; always a data cell while there are data rows, row 0
    // while there are none.
    int row() const;
    int col() const;
    // Makes a data cell current without scrolling it into view.
    void setCurrentCell(int row, int col);

    // The first data row in view, and scrolling so that `row` is it (as far as
    // the scroll range allows).
    int topRow() const;
    void setTopRow(int row);

    // The rectangle of a cell in this widget's coordinates.
    QRect cellRect(int row, int col) const;
    // Where data cells show, inside the caption row, the fixed column and the
    // scroll bars, in this widget's coordinates.
    QRect dataArea() const;

signals:
    void focusReceived();
    void currentCellAboutToChange();
    void characterTyped(int code);
    void doubleClicked();
    // Scrolled vertically by the operator or by code, not by rows coming or going.
    void scrolled();

protected:
    void changeEvent(QEvent* event) override;

private:
    class RowChange;

    void checkCell(int row, int col) const;
    void fitRowHeightToFont();
    // The fixed cell that holds a data row's name (Qt's vertical header item).
    void setNameCell(int dataRow, const QString& text);

    GridTableView* table_;
    bool changingRows_ = false;
    bool clampingScroll_ = false;
    int lastCol_ = 1;  // the current column while there are no data rows
};

}  // namespace corvane::ui

#include "ui/TextGrid.h"

#include "automation/AutomationError.h"
#include "server/GridErrors.h"
#include "ui/CurrentCellSelectionModel.h"
#include "ui/GridTableView.h"
#include "ui/QtText.h"
#include "ui/Twips.h"

#include <QEvent>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QScrollBar>
#include <QVBoxLayout>

namespace corvane::ui {

namespace {

[[noreturn]] void raiseInvalidRow() {
    throw automation::AutomationError::fromNumber(kInvalidRowValue, kInvalidRowValueText);
}

[[noreturn]] void raiseInvalidCol() {
    throw automation::AutomationError::fromNumber(kInvalidColValue, kInvalidColValueText);
}

}  // namespace

// Rows coming or going are the object model's doing: they must neither commit
// an open edit nor count as the operator scrolling.
class TextGrid::RowChange {
public:
    explicit RowChange(TextGrid& grid) : grid_(grid), wasChanging_(grid.changingRows_) {
        grid_.changingRows_ = true;
        grid_.table_->currentCellModel().setMuted(true);
    }
    ~RowChange() {
        grid_.changingRows_ = wasChanging_;
        grid_.table_->currentCellModel().setMuted(wasChanging_);
    }
    RowChange(const RowChange&) = delete;
    RowChange& operator=(const RowChange&) = delete;

private:
    TextGrid& grid_;
    bool wasChanging_;
};

TextGrid::TextGrid(QWidget* parent) : QWidget(parent), table_(new GridTableView(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table_);
    setFocusProxy(table_);
    fitRowHeightToFont();
    table_->horizontalHeader()->setDefaultSectionSize(twipsToPixels(kDefaultColWidthTwips));

    connect(table_, &GridTableView::focusReceived, this, &TextGrid::focusReceived);
    connect(table_, &GridTableView::characterTyped, this, &TextGrid::characterTyped);
    connect(table_, &GridTableView::doubleClickedAnywhere, this, &TextGrid::doubleClicked);
    connect(&table_->currentCellModel(), &CurrentCellSelectionModel::currentAboutToChange, this,
            &TextGrid::currentCellAboutToChange);
    const QScrollBar* bar = table_->verticalScrollBar();
    // Rows removed at the bottom shrink the scroll range later, when the table
    // lays itself out; the value it then pulls back is no scrolling either.
    connect(bar, &QScrollBar::rangeChanged, this, [this, bar](int, int maximum) {
        clampingScroll_ = bar->value() > maximum;
    });
    connect(bar, &QScrollBar::valueChanged, this, [this] {
        if (clampingScroll_) {
            clampingScroll_ = false;
        } else if (!changingRows_) {
            emit scrolled();
        }
    });
}

std::int32_t TextGrid::rows() const {
    return table_->rowCount() + fixedRows();
}

void TextGrid::setRows(std::int32_t rows) {
    if (rows < fixedRows()) {
        raiseInvalidRow();
    }
    const int oldDataRows = table_->rowCount();
    const int newDataRows = rows - fixedRows();
    if (newDataRows == oldDataRows) {
        return;
    }
    RowChange change(*this);
    if (newDataRows < oldDataRows) {
        lastCol_ = col();
        table_->setRowCount(newDataRows);
        return;
    }
    table_->setRowCount(newDataRows);
    // An empty fixed cell, not Qt's row number.
    for (int dataRow = oldDataRows; dataRow < newDataRows; ++dataRow) {
        setNameCell(dataRow, QString());
    }
    if (oldDataRows == 0 && table_->columnCount() > 0) {
        table_->setCurrentCell(0, std::min(lastCol_, table_->columnCount()) - 1);
    }
}

std::int32_t TextGrid::cols() const {
    return table_->columnCount() + fixedCols();
}

void TextGrid::setCols(std::int32_t cols) {
    if (cols < fixedCols()) {
        raiseInvalidCol();
    }
    const int oldDataCols = table_->columnCount();
    const int newDataCols = cols - fixedCols();
    RowChange change(*this);
    table_->setColumnCount(newDataCols);
    for (int dataCol = oldDataCols; dataCol < newDataCols; ++dataCol) {
        table_->setHorizontalHeaderItem(dataCol, new QTableWidgetItem);
    }
}

std::u16string TextGrid::textMatrix(std::int32_t row, std::int32_t col) const {
    return toU16(text(row, col));
}

void TextGrid::setTextMatrix(std::int32_t row, std::int32_t col, std::u16string_view text) {
    setText(row, col, toQString(text));
}

void TextGrid::removeRow(std::int32_t row) {
    if (row < fixedRows() || row >= rows()) {
        raiseInvalidRow();
    }
    RowChange change(*this);
    lastCol_ = col();
    table_->removeRow(row - fixedRows());
}

void TextGrid::checkCell(int row, int col) const {
    if (row < 0 || row >= rows()) {
        raiseInvalidRow();
    }
    if (col < 0 || col >= cols()) {
        raiseInvalidCol();
    }
}

QString TextGrid::text(int row, int col) const {
    checkCell(row, col);
    const QTableWidgetItem* item = nullptr;
    if (row == 0 && col == 0) {
        return table_->cornerText();
    } else if (row == 0) {
        item = table_->horizontalHeaderItem(col - 1);
    } else if (col == 0) {
        item = table_->verticalHeaderItem(row - 1);
    } else {
        item = table_->item(row - 1, col - 1);
    }
    return item != nullptr ? item->text() : QString();
}

void TextGrid::setText(int row, int col, const QString& text) {
    checkCell(row, col);
    if (row == 0 && col == 0) {
        table_->setCornerText(text);
    } else if (row == 0) {
        if (QTableWidgetItem* item = table_->horizontalHeaderItem(col - 1)) {
            item->setText(text);
        } else {
            table_->setHorizontalHeaderItem(col - 1, new QTableWidgetItem(text));
        }
    } else if (col == 0) {
        setNameCell(row - 1, text);
    } else {
        // A new item rather than setText on the old one (Qt finds a changed
        // item's place by searching the whole table once rows have moved), and
        // the view told by one repaint rather than per cell (which has it work
        // out every row's position again after rows were added).
        {
            const QSignalBlocker quiet(table_->model());
            table_->setItem(row - 1, col - 1, new QTableWidgetItem(text));
        }
        table_->viewport()->update();
    }
}

void TextGrid::setNameCell(int dataRow, const QString& text) {
    // Changing a header item in place makes Qt search every header item for
    // it, and the header then works out the positions of all its sections
    // again: adding rows one by one was quadratic. A new item goes straight
    // into its place, and the header learns of it when it next paints.
    {
        const QSignalBlocker quiet(table_->model());
        table_->setVerticalHeaderItem(dataRow, new QTableWidgetItem(text));
    }
    table_->verticalHeader()->viewport()->update();
}

int TextGrid::colWidth(int col) const {
    checkCell(0, col);
    return col == 0 ? table_->verticalHeader()->width() : table_->columnWidth(col - 1);
}

void TextGrid::setColWidth(int col, int width) {
    checkCell(0, col);
    if (col == 0) {
        table_->verticalHeader()->setFixedWidth(width);
    } else {
        table_->setColumnWidth(col - 1, width);
    }
}

int TextGrid::row() const {
    const QModelIndex current = table_->currentIndex();
    return current.isValid() ? current.row() + fixedRows() : 0;
}

int TextGrid::col() const {
    const QModelIndex current = table_->currentIndex();
    return current.isValid() ? current.column() + fixedCols() : lastCol_;
}

void TextGrid::setCurrentCell(int row, int col) {
    checkCell(row, col);
    if (row < fixedRows()) {
        raiseInvalidRow();
    }
    if (col < fixedCols()) {
        raiseInvalidCol();
    }
    const bool autoScroll = table_->hasAutoScroll();
    table_->setAutoScroll(false);
    table_->setCurrentCell(row - fixedRows(), col - fixedCols());
    table_->setAutoScroll(autoScroll);
}

int TextGrid::topRow() const {
    table_->layOutNow();
    return table_->verticalScrollBar()->value() + fixedRows();
}

void TextGrid::setTopRow(int row) {
    if (row < fixedRows() || row >= rows()) {
        raiseInvalidRow();
    }
    table_->layOutNow();
    table_->verticalScrollBar()->setValue(row - fixedRows());
}

QRect TextGrid::cellRect(int row, int col) const {
    checkCell(row, col);
    table_->layOutNow();
    const QHeaderView* top = table_->horizontalHeader();
    const QHeaderView* left = table_->verticalHeader();
    const QWidget* cells = table_->viewport();

    const int x = col == 0 ? left->mapTo(this, QPoint(0, 0)).x()
                           : cells->mapTo(this, QPoint(table_->columnViewportPosition(col - 1), 0)).x();
    const int width = col == 0 ? left->width() : table_->columnWidth(col - 1);
    const int y = row == 0 ? top->mapTo(this, QPoint(0, 0)).y()
                           : cells->mapTo(this, QPoint(0, table_->rowViewportPosition(row - 1))).y();
    const int height = row == 0 ? top->height() : table_->rowHeight(row - 1);
    return {x, y, width, height};
}

QRect TextGrid::dataArea() const {
    table_->layOutNow();
    const QWidget* cells = table_->viewport();
    return {cells->mapTo(this, QPoint(0, 0)), cells->size()};
}

void TextGrid::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        fitRowHeightToFont();
    }
    QWidget::changeEvent(event);
}

void TextGrid::fitRowHeightToFont() {
    // One line of text with a little room, the caption row like the others.
    const int height = fontMetrics().height() + 4;
    QHeaderView* left = table_->verticalHeader();
    left->setMinimumSectionSize(height);
    left->setDefaultSectionSize(height);
    table_->horizontalHeader()->setFixedHeight(height);
}

}  // namespace corvane::ui

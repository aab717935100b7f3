#include "win32/GridCells.h"

#include "server/GridErrors.h"

namespace corvane::win32 {

namespace {

const std::u16string kEmpty;

}  // namespace

void GridCells::setRows(std::int32_t rows) {
    if (rows < 1) {
        raiseInvalidRow();
    }
    rows_.resize(static_cast<std::size_t>(rows));
}

void GridCells::setCols(std::int32_t cols) {
    if (cols < 1) {
        raiseInvalidCol();
    }
    cols_ = cols;
    for (auto& row : rows_) {
        if (row.size() > static_cast<std::size_t>(cols)) {
            row.resize(static_cast<std::size_t>(cols));
        }
    }
}

void GridCells::checkCell(std::int32_t row, std::int32_t col) const {
    if (row < 0 || row >= rows()) {
        raiseInvalidRow();
    }
    if (col < 0 || col >= cols_) {
        raiseInvalidCol();
    }
}

const std::u16string& GridCells::text(std::int32_t row, std::int32_t col) const {
    checkCell(row, col);
    const auto& cells = rows_[static_cast<std::size_t>(row)];
    return static_cast<std::size_t>(col) < cells.size() ? cells[static_cast<std::size_t>(col)] : kEmpty;
}

void GridCells::setText(std::int32_t row, std::int32_t col, std::u16string_view text) {
    checkCell(row, col);
    auto& cells = rows_[static_cast<std::size_t>(row)];
    if (cells.size() <= static_cast<std::size_t>(col)) {
        cells.resize(static_cast<std::size_t>(col) + 1);
    }
    cells[static_cast<std::size_t>(col)] = text;
}

void GridCells::removeRow(std::int32_t row) {
    if (row < 1 || row >= rows()) {
        raiseInvalidRow();
    }
    rows_.erase(rows_.begin() + row);
}

}  // namespace corvane::win32

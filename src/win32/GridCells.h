#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::win32 {

// The texts of the grid's cells, caption row 0 included, as the object model
// addresses them. A cell outside the grid raises the grid's own error.
class GridCells final {
public:
    GridCells() : rows_(1) {}

    std::int32_t rows() const { return static_cast<std::int32_t>(rows_.size()); }
    // Larger appends empty rows at the bottom; smaller drops rows from the
    // bottom; the caption row stays.
    void setRows(std::int32_t rows);
    std::int32_t cols() const { return cols_; }
    void setCols(std::int32_t cols);

    const std::u16string& text(std::int32_t row, std::int32_t col) const;
    void setText(std::int32_t row, std::int32_t col, std::u16string_view text);
    // Every row below `row` moves up one row; the caption row cannot go.
    void removeRow(std::int32_t row);

    void checkCell(std::int32_t row, std::int32_t col) const;

private:
    // Each row holds only the cells written so far; the rest are empty.
    std::vector<std::vector<std::u16string>> rows_;
    std::int32_t cols_ = 1;
};

}  // namespace corvane::win32

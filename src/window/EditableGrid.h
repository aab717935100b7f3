#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane::window {

// A rectangle in pixels, in the client coordinates of the main window.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The grid gridData as its in-place editing uses it, whatever draws it: row 0
// is the caption row and column 0 the fixed name column, so data cells start
// at (1, 1).
class EditableGrid {
public:
    virtual ~EditableGrid() = default;

    // The number of rows, the caption row included.
    virtual std::int32_t rowCount() const = 0;
    std::int32_t fixedRows() const { return 1; }
    bool hasDataRows() const { return rowCount() > fixedRows(); }

    // The current cell: a data cell while there are data rows.
    virtual std::int32_t row() const = 0;
    virtual std::int32_t col() const = 0;
    // Makes a data cell current without scrolling it into view.
    virtual void setCurrentCell(std::int32_t row, std::int32_t col) = 0;

    // The first data row in view, and scrolling so that `row` is it.
    virtual std::int32_t topRow() const = 0;
    virtual void setTopRow(std::int32_t row) = 0;

    virtual std::u16string cellText(std::int32_t row, std::int32_t col) const = 0;
    virtual void setCellText(std::int32_t row, std::int32_t col, std::u16string_view text) = 0;

    // Where a cell is drawn, and the part of the grid that shows data cells
    // (inside the caption row, the name column and the scroll bars).
    virtual PixelRect cellRect(std::int32_t row, std::int32_t col) const = 0;
    virtual PixelRect dataArea() const = 0;

    virtual void takeFocus() = 0;
    // Runs the window events already waiting, but no input that is: a key
    // the operator typed after the one being handled must come after it.
    virtual void runPendingEvents() = 0;
};

}  // namespace corvane::window

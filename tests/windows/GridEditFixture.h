#pragma once

#include "CommitRecorder.h"
#include "WindowFixture.h"

namespace corvane::window {
inline void PrintTo(const PixelRect& rect, std::ostream* out) {
    *out << "{" << rect.left << ", " << rect.top << ", " << rect.width << " x " << rect.height << "}";
}
}  // namespace corvane::window

namespace corvane::win32::test {

// The window with the three tags of the shared editing cases in the grid and
// the operator's edits recorded.
class GridEditFixture : public WindowFixture {
protected:
    void SetUp() override;

    void addRow(std::u16string_view tag, std::u16string_view value, std::u16string_view confidence);
    ListViewGrid& grid() const { return window().gridData(); }
    CellEditor& editor() const { return window().txtEditInput(); }
    std::u16string cell(int row, int col) const { return grid().textMatrix(row, col); }

    // Where the editor lies, in the main window's client area.
    window::PixelRect editorRect() const;
    POINT cellCentre(int row, int col) const;
    void clickCell(int row, int col) const { SyntheticInput::click(cellCentre(row, col)); }
    void doubleClickCell(int row, int col) const { SyntheticInput::doubleClick(cellCentre(row, col)); }

    corvane::test::CommitRecorder events;
};

}  // namespace corvane::win32::test

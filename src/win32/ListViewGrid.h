#pragma once

#include "server/OperatorConsole.h"
#include "win32/GridCells.h"
#include "window/EditableGrid.h"

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace corvane::window {
class GridEditing;
}

namespace corvane::win32 {

// gridData: a report-mode ListView made into a grid of text cells with one
// fixed caption row (the ListView's header) and one fixed first column. The
// grid keeps the texts and the current cell itself; the ListView only scrolls
// and draws rows (owner data, owner drawn), so it never selects, searches or
// scrolls on its own. Cells clip their text at their edge, without ellipsis.
class ListViewGrid final : public GridControl, public window::EditableGrid {
public:
    ListViewGrid(HWND parent, const RECT& bounds, HFONT font);
    ListViewGrid(const ListViewGrid&) = delete;
    ListViewGrid& operator=(const ListViewGrid&) = delete;

    HWND handle() const { return list_; }
    // Where the grid's editing events go; none at first.
    void setEditing(window::GridEditing* editing) { editing_ = editing; }

    std::int32_t rows() const override { return cells_.rows(); }
    void setRows(std::int32_t rows) override;
    std::int32_t cols() const override { return cells_.cols(); }
    void setCols(std::int32_t cols);
    std::u16string textMatrix(std::int32_t row, std::int32_t col) const override;
    void setTextMatrix(std::int32_t row, std::int32_t col, std::u16string_view text) override;
    void removeRow(std::int32_t row) override;

    // In pixels.
    int colWidth(int col) const;
    void setColWidth(int col, int width);

    std::int32_t rowCount() const override { return rows(); }
    std::int32_t row() const override { return row_; }
    std::int32_t col() const override { return col_; }
    void setCurrentCell(std::int32_t row, std::int32_t col) override;
    std::int32_t topRow() const override;
    void setTopRow(std::int32_t row) override;
    std::u16string cellText(std::int32_t row, std::int32_t col) const override { return textMatrix(row, col); }
    void setCellText(std::int32_t row, std::int32_t col, std::u16string_view text) override {
        setTextMatrix(row, col, text);
    }
    window::PixelRect cellRect(std::int32_t row, std::int32_t col) const override;
    window::PixelRect dataArea() const override;
    void takeFocus() override;
    void runPendingEvents() override;

    bool hasFocus() const;
    int rowHeight() const;

    // What the parent window passes on: the ListView's notifications and its
    // owner-drawn rows.
    bool notify(const NMHDR& header, LRESULT& result);
    void drawRow(const DRAWITEMSTRUCT& item) const;
    void drawCaption(const DRAWITEMSTRUCT& item) const;
    // The height of a row in the grid's font, asked before the grid exists.
    static void measureRow(MEASUREITEMSTRUCT& item, HFONT font);

private:
    static LRESULT CALLBACK listProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK headerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onListMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onHeaderMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT scrollingMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void clickAt(POINT point);
    // The cell at a point of the ListView's client area; false for none.
    bool cellAt(POINT point, std::int32_t& row, std::int32_t& col) const;
    void createTip();
    void mouseMoved(POINT point);
    void giveTipText(NMTTDISPINFOW& info);
    void keyDown(WPARAM key);
    void character(wchar_t unit);
    // Moves the current cell, announcing it first (rows coming or going move
    // it without a word).
    void moveCurrentCell(std::int32_t row, std::int32_t col);
    void showRow(std::int32_t row);
    void syncItemCount();
    void repaintRow(std::int32_t row) const;
    void setHeaderText(int col, const std::u16string& text);

    HWND list_ = nullptr;
    HWND header_ = nullptr;
    WNDPROC listDefault_ = nullptr;
    WNDPROC headerDefault_ = nullptr;
    window::GridEditing* editing_ = nullptr;
    GridCells cells_;
    std::int32_t row_ = 0;
    std::int32_t col_ = 1;  // kept while there are no data rows
    bool changingRows_ = false;
    wchar_t highSurrogate_ = 0;
    // The tooltip with a cell's full text, and the cell it was last asked for.
    HWND tip_ = nullptr;
    std::int32_t tipRow_ = -1;
    std::int32_t tipCol_ = -1;
    std::wstring tipText_;
};

}  // namespace corvane::win32

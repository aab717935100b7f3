// The grid's rows, drawn by the grid: the name column like the caption row,
// thin lines between cells, a focus frame on the current cell, and each text
// clipped at its cell's edge with no ellipsis.
#include "win32/ListViewGrid.h"

#include "win32/WideText.h"

#include <commctrl.h>

namespace corvane::win32 {

namespace {

// Room between a cell's left edge and its text.
constexpr int kTextIndent = 2;

void drawCell(HDC dc, const RECT& cell, const std::u16string& text, int background, int foreground) {
    FillRect(dc, &cell, GetSysColorBrush(background));
    SetTextColor(dc, GetSysColor(foreground));
    SetBkMode(dc, TRANSPARENT);
    RECT inside = cell;
    inside.left += kTextIndent;
    const std::wstring wide = toWide(text);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &inside, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

    // The lines on the right and at the bottom of each cell.
    HGDIOBJ pen = SelectObject(dc, GetStockObject(DC_PEN));
    SetDCPenColor(dc, GetSysColor(COLOR_BTNSHADOW));
    MoveToEx(dc, cell.right - 1, cell.top, nullptr);
    LineTo(dc, cell.right - 1, cell.bottom - 1);
    LineTo(dc, cell.left - 1, cell.bottom - 1);
    SelectObject(dc, pen);
}

}  // namespace

void ListViewGrid::drawRow(const DRAWITEMSTRUCT& item) const {
    const std::int32_t row = static_cast<std::int32_t>(item.itemID) + fixedRows();
    if (row >= rows()) {
        return;
    }
    RECT cell = item.rcItem;
    for (std::int32_t col = 0; col < cols(); ++col) {
        cell.right = cell.left + colWidth(col);
        const bool fixed = col == 0;
        drawCell(item.hDC, cell, cells_.text(row, col), fixed ? COLOR_BTNFACE : COLOR_WINDOW,
                 fixed ? COLOR_BTNTEXT : COLOR_WINDOWTEXT);
        if (row == row_ && col == col_ && hasFocus()) {
            RECT frame = cell;
            InflateRect(&frame, -1, -1);
            --frame.right;
            --frame.bottom;
            DrawFocusRect(item.hDC, &frame);
        }
        cell.left = cell.right;
    }
}

void ListViewGrid::drawCaption(const DRAWITEMSTRUCT& item) const {
    const auto col = static_cast<std::int32_t>(item.itemID);
    if (col < cols()) {
        drawCell(item.hDC, item.rcItem, cells_.text(0, col), COLOR_BTNFACE, COLOR_BTNTEXT);
    }
}

void ListViewGrid::measureRow(MEASUREITEMSTRUCT& item, HFONT font) {
    // One line of text with a little room.
    HDC dc = GetDC(nullptr);
    HGDIOBJ before = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, before);
    ReleaseDC(nullptr, dc);
    item.itemHeight = static_cast<UINT>(metrics.tmHeight + 4);
}

}  // namespace corvane::win32

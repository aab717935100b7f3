// The operator's mouse and keys on the grid: the grid handles them itself
// instead of the ListView, which would select rows, drag and scroll a clicked
// row into view under an open editor.
#include "win32/ListViewGrid.h"

#include "window/GridEditing.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

namespace corvane::win32 {

namespace {

bool isHeaderResize(const NMHDR& header) {
    switch (header.code) {
    case HDN_BEGINTRACKA:
    case HDN_BEGINTRACKW:
    case HDN_DIVIDERDBLCLICKA:
    case HDN_DIVIDERDBLCLICKW:
        return true;
    default:
        return false;
    }
}

bool isScrolling(UINT message) {
    switch (message) {
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case LVM_SCROLL:
    case LVM_ENSUREVISIBLE:
        return true;
    default:
        return false;
    }
}

}  // namespace

LRESULT ListViewGrid::onListMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        takeFocus();
        clickAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_LBUTTONDBLCLK:
        takeFocus();
        clickAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        if (editing_ != nullptr) {
            editing_->doubleClicked();
        }
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return 0;
    case WM_SETFOCUS: {
        const LRESULT result = CallWindowProcW(listDefault_, list_, message, wParam, lParam);
        repaintRow(row_);
        if (editing_ != nullptr) {
            editing_->gridFocusReceived();
        }
        return result;
    }
    case WM_KILLFOCUS: {
        const LRESULT result = CallWindowProcW(listDefault_, list_, message, wParam, lParam);
        repaintRow(row_);
        return result;
    }
    case WM_KEYDOWN:
        keyDown(wParam);
        return 0;
    case WM_CHAR:
        character(static_cast<wchar_t>(wParam));
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlType == ODT_HEADER) {
            drawCaption(item);
            return TRUE;
        }
        break;
    }
    case WM_NOTIFY:
        if (isHeaderResize(*reinterpret_cast<const NMHDR*>(lParam))) {
            return TRUE;  // the columns have fixed widths
        }
        break;
    default:
        if (isScrolling(message)) {
            return scrollingMessage(message, wParam, lParam);
        }
        break;
    }
    return CallWindowProcW(listDefault_, list_, message, wParam, lParam);
}

LRESULT ListViewGrid::scrollingMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const std::int32_t top = topRow();
    const int left = GetScrollPos(list_, SB_HORZ);
    const LRESULT result = CallWindowProcW(listDefault_, list_, message, wParam, lParam);
    if ((topRow() != top || GetScrollPos(list_, SB_HORZ) != left) && !changingRows_ && editing_ != nullptr) {
        editing_->scrolled();
    }
    return result;
}

LRESULT ListViewGrid::onHeaderMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // The caption row is a row of cells: a click focuses the grid and a
    // double-click counts like one on a data cell.
    switch (message) {
    case WM_LBUTTONDOWN:
        takeFocus();
        return 0;
    case WM_LBUTTONDBLCLK:
        takeFocus();
        if (editing_ != nullptr) {
            editing_->doubleClicked();
        }
        return 0;
    case WM_LBUTTONUP:
        return 0;
    case WM_SETCURSOR:
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        return TRUE;
    default:
        return CallWindowProcW(headerDefault_, header_, message, wParam, lParam);
    }
}

void ListViewGrid::clickAt(POINT point) {
    // Worked out from the rows and columns themselves: the ListView's own hit
    // test passes over a row that shows only in part.
    RECT header{};
    GetWindowRect(header_, &header);
    MapWindowPoints(nullptr, list_, reinterpret_cast<POINT*>(&header), 2);
    if (point.y < header.bottom) {
        return;
    }
    const std::int32_t row = topRow() + (point.y - header.bottom) / std::max(1, rowHeight());
    std::int32_t col = -1;
    for (std::int32_t at = 0; at < cols(); ++at) {
        RECT column{};
        SendMessageW(header_, HDM_GETITEMRECT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&column));
        MapWindowPoints(header_, list_, reinterpret_cast<POINT*>(&column), 2);
        if (point.x >= column.left && point.x < column.right) {
            col = at;
        }
    }
    // Only data cells become current; the name column and the empty space
    // beside and below the cells do not.
    if (col >= 1 && row < rows()) {
        moveCurrentCell(row, col);
    }
}

void ListViewGrid::keyDown(WPARAM key) {
    if (!hasDataRows()) {
        return;
    }
    const bool control = GetKeyState(VK_CONTROL) < 0;
    const std::int32_t lastRow = rows() - 1;
    const std::int32_t lastCol = cols() - 1;
    const auto page = std::max(1, static_cast<int>(SendMessageW(list_, LVM_GETCOUNTPERPAGE, 0, 0)));
    std::int32_t row = row_;
    std::int32_t col = col_;
    switch (key) {
    case VK_LEFT:
        col = std::max(1, col - 1);
        break;
    case VK_RIGHT:
        col = std::min(lastCol, col + 1);
        break;
    case VK_UP:
        row = std::max(1, row - 1);
        break;
    case VK_DOWN:
        row = std::min(lastRow, row + 1);
        break;
    case VK_PRIOR:
        row = std::max(1, row - page);
        break;
    case VK_NEXT:
        row = std::min(lastRow, row + page);
        break;
    case VK_HOME:
        col = 1;
        row = control ? 1 : row;
        break;
    case VK_END:
        col = lastCol;
        row = control ? lastRow : row;
        break;
    default:
        return;
    }
    moveCurrentCell(row, col);
    showRow(row_);
}

void ListViewGrid::character(wchar_t unit) {
    // A character outside the basic plane comes as two units; it opens the
    // editor once, whole.
    if (unit >= 0xD800 && unit < 0xDC00) {
        highSurrogate_ = unit;
        return;
    }
    int code = unit;
    if (unit >= 0xDC00 && unit < 0xE000 && highSurrogate_ != 0) {
        code = 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (unit - 0xDC00);
    }
    highSurrogate_ = 0;
    if (code == L'\t' || editing_ == nullptr) {
        return;
    }
    editing_->characterTyped(code);
}

}  // namespace corvane::win32

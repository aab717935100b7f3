// The operator's mouse and keys on the grid: the grid handles them itself
// instead of the ListView, which would select rows, drag and scroll a clicked
// row into view under an open editor.
#include "win32/ListViewGrid.h"

#include "win32/WideText.h"
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
    case WM_NOTIFY: {
        auto& header = *reinterpret_cast<NMHDR*>(lParam);
        if (isHeaderResize(header)) {
            return TRUE;  // the columns have fixed widths
        }
        if (header.hwndFrom == tip_ && header.code == TTN_GETDISPINFOW) {
            giveTipText(reinterpret_cast<NMTTDISPINFOW&>(header));
            return 0;
        }
        break;
    }
    case WM_MOUSEMOVE:
        mouseMoved({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
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

bool ListViewGrid::cellAt(POINT point, std::int32_t& row, std::int32_t& col) const {
    // Worked out from the rows and columns themselves: the ListView's own hit
    // test passes over a row that shows only in part.
    RECT header{};
    GetWindowRect(header_, &header);
    MapWindowPoints(nullptr, list_, reinterpret_cast<POINT*>(&header), 2);
    if (point.y < header.bottom) {
        return false;
    }
    row = topRow() + (point.y - header.bottom) / std::max(1, rowHeight());
    col = -1;
    for (std::int32_t at = 0; at < cols(); ++at) {
        RECT column{};
        SendMessageW(header_, HDM_GETITEMRECT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&column));
        MapWindowPoints(header_, list_, reinterpret_cast<POINT*>(&column), 2);
        if (point.x >= column.left && point.x < column.right) {
            col = at;
        }
    }
    return col >= 0 && row < rows();
}

void ListViewGrid::clickAt(POINT point) {
    // Only data cells become current; the name column and the empty space
    // beside and below the cells do not.
    std::int32_t row = 0;
    std::int32_t col = 0;
    if (cellAt(point, row, col) && col >= 1) {
        moveCurrentCell(row, col);
    }
}

void ListViewGrid::createTip() {
    // Cells clip their text; the whole of it shows as the tooltip of the cell
    // under the mouse.
    tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, list_, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = list_;
    tool.uId = 1;
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    GetClientRect(list_, &tool.rect);
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ListViewGrid::mouseMoved(POINT point) {
    std::int32_t row = -1;
    std::int32_t col = -1;
    if (!cellAt(point, row, col)) {
        row = -1;
        col = -1;
    }
    if (row != tipRow_ || col != tipCol_) {
        tipRow_ = row;
        tipCol_ = col;
        // Asked for its text again, for the cell now under the mouse.
        SendMessageW(tip_, TTM_POP, 0, 0);
    }
}

void ListViewGrid::giveTipText(NMTTDISPINFOW& info) {
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(list_, &point);
    std::int32_t row = -1;
    std::int32_t col = -1;
    tipText_.clear();
    if (cellAt(point, row, col) && row >= fixedRows()) {
        tipText_ = toWide(cells_.text(row, col));
    }
    info.lpszText = tipText_.data();
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

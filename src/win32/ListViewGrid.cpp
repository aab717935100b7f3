#include "win32/ListViewGrid.h"

#include "server/GridErrors.h"
#include "win32/MessagePump.h"
#include "win32/WideText.h"
#include "window/GridEditing.h"

#include <commctrl.h>

#include <algorithm>

namespace corvane::win32 {

namespace {

constexpr wchar_t kSelf[] = L"corvane.grid";

ListViewGrid* gridOf(HWND window) {
    return static_cast<ListViewGrid*>(GetPropW(window, kSelf));
}

window::PixelRect toParent(HWND from, HWND parent, RECT rect) {
    MapWindowPoints(from, parent, reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

ListViewGrid::ListViewGrid(HWND parent, const RECT& bounds, HFONT font) {
    constexpr DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | LVS_REPORT | LVS_OWNERDATA |
                            LVS_OWNERDRAWFIXED | LVS_SINGLESEL | LVS_NOSORTHEADER;
    list_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", style, bounds.left, bounds.top,
                            bounds.right - bounds.left, bounds.bottom - bounds.top, parent, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    header_ = reinterpret_cast<HWND>(SendMessageW(list_, LVM_GETHEADER, 0, 0));
    SetPropW(list_, kSelf, this);
    listDefault_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(list_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListViewGrid::listProc)));
    if (header_ != nullptr) {
        SetPropW(header_, kSelf, this);
        headerDefault_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(header_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListViewGrid::headerProc)));
    }
    createTip();
}

void ListViewGrid::setRows(std::int32_t rows) {
    const std::int32_t before = cells_.rows();
    cells_.setRows(rows);
    if (rows == before) {
        return;
    }
    if (rows <= 1) {
        row_ = 0;
    } else if (before <= 1) {
        row_ = 1;
        col_ = std::clamp(col_, 1, std::max(1, cols() - 1));
    } else if (row_ >= rows) {
        row_ = rows - 1;
    }
    syncItemCount();
}

void ListViewGrid::setCols(std::int32_t cols) {
    cells_.setCols(cols);
    auto present = static_cast<int>(SendMessageW(header_, HDM_GETITEMCOUNT, 0, 0));
    RECT client{};
    GetClientRect(list_, &client);
    // A new column's width is a third of the grid: the three columns of the
    // window fit without a horizontal scroll bar.
    const int defaultWidth = (client.right - client.left) / 3;
    for (; present < cols; ++present) {
        LVCOLUMNW column{};
        column.mask = LVCF_WIDTH | LVCF_TEXT;
        column.cx = defaultWidth;
        column.pszText = const_cast<wchar_t*>(L"");
        SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(present), reinterpret_cast<LPARAM>(&column));
    }
    for (; present > cols; --present) {
        SendMessageW(list_, LVM_DELETECOLUMN, static_cast<WPARAM>(present - 1), 0);
    }
    col_ = std::clamp(col_, 1, std::max(1, cols - 1));
}

std::u16string ListViewGrid::textMatrix(std::int32_t row, std::int32_t col) const {
    return cells_.text(row, col);
}

void ListViewGrid::setTextMatrix(std::int32_t row, std::int32_t col, std::u16string_view text) {
    cells_.setText(row, col, text);
    if (row == 0) {
        setHeaderText(col, cells_.text(row, col));
    } else {
        repaintRow(row);
    }
}

void ListViewGrid::removeRow(std::int32_t row) {
    cells_.removeRow(row);
    if (row < row_) {
        --row_;
    }
    row_ = std::min(row_, rows() - 1);
    syncItemCount();
}

void ListViewGrid::syncItemCount() {
    const bool wasChanging = changingRows_;
    changingRows_ = true;
    SendMessageW(list_, LVM_SETITEMCOUNT, static_cast<WPARAM>(rows() - 1), LVSICF_NOSCROLL);
    InvalidateRect(list_, nullptr, TRUE);
    changingRows_ = wasChanging;
}

void ListViewGrid::setHeaderText(int col, const std::u16string& text) {
    std::wstring wide = toWide(text);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = wide.data();
    SendMessageW(list_, LVM_SETCOLUMNW, static_cast<WPARAM>(col), reinterpret_cast<LPARAM>(&column));
    // Drawn by the grid, so that the caption is clipped like any cell.
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    item.fmt = HDF_LEFT | HDF_OWNERDRAW;
    SendMessageW(header_, HDM_SETITEMW, static_cast<WPARAM>(col), reinterpret_cast<LPARAM>(&item));
}

int ListViewGrid::colWidth(int col) const {
    cells_.checkCell(0, col);
    return static_cast<int>(SendMessageW(list_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(col), 0));
}

void ListViewGrid::setColWidth(int col, int width) {
    cells_.checkCell(0, col);
    SendMessageW(list_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(col), MAKELPARAM(width, 0));
}

void ListViewGrid::setCurrentCell(std::int32_t row, std::int32_t col) {
    cells_.checkCell(row, col);
    if (row < fixedRows()) {
        raiseInvalidRow();
    }
    if (col < 1) {
        raiseInvalidCol();
    }
    moveCurrentCell(row, col);
}

void ListViewGrid::moveCurrentCell(std::int32_t row, std::int32_t col) {
    if (row == row_ && col == col_) {
        return;
    }
    if (editing_ != nullptr && !changingRows_) {
        editing_->currentCellAboutToChange();
    }
    const std::int32_t before = row_;
    row_ = row;
    col_ = col;
    repaintRow(before);
    repaintRow(row_);
}

std::int32_t ListViewGrid::topRow() const {
    return static_cast<std::int32_t>(SendMessageW(list_, LVM_GETTOPINDEX, 0, 0)) + fixedRows();
}

void ListViewGrid::setTopRow(std::int32_t row) {
    if (row < fixedRows() || row >= rows()) {
        raiseInvalidRow();
    }
    // In report mode the ListView scrolls by whole rows given in pixels.
    const int lines = row - topRow();
    SendMessageW(list_, LVM_SCROLL, 0, static_cast<LPARAM>(lines * rowHeight()));
}

void ListViewGrid::showRow(std::int32_t row) {
    SendMessageW(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row - fixedRows()), FALSE);
}

window::PixelRect ListViewGrid::cellRect(std::int32_t row, std::int32_t col) const {
    cells_.checkCell(row, col);
    HWND parent = GetParent(list_);
    RECT column{};
    SendMessageW(header_, HDM_GETITEMRECT, static_cast<WPARAM>(col), reinterpret_cast<LPARAM>(&column));
    window::PixelRect cell = toParent(header_, parent, column);
    if (row > 0) {
        RECT bounds{};
        bounds.left = LVIR_BOUNDS;
        SendMessageW(list_, LVM_GETITEMRECT, static_cast<WPARAM>(row - fixedRows()), reinterpret_cast<LPARAM>(&bounds));
        const window::PixelRect line = toParent(list_, parent, bounds);
        cell.top = line.top;
        cell.height = line.height;
    }
    return cell;
}

window::PixelRect ListViewGrid::dataArea() const {
    RECT client{};
    GetClientRect(list_, &client);
    RECT header{};
    GetWindowRect(header_, &header);
    client.top += header.bottom - header.top;
    return toParent(list_, GetParent(list_), client);
}

int ListViewGrid::rowHeight() const {
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    if (rows() > 1 && SendMessageW(list_, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&bounds))) {
        return bounds.bottom - bounds.top;
    }
    const auto spacing = static_cast<DWORD>(SendMessageW(list_, LVM_GETITEMSPACING, TRUE, 0));
    return HIWORD(spacing);
}

void ListViewGrid::takeFocus() {
    SetFocus(list_);
}

bool ListViewGrid::hasFocus() const {
    return GetFocus() == list_;
}

void ListViewGrid::runPendingEvents() {
    MessagePump::runPendingEvents();
}

void ListViewGrid::repaintRow(std::int32_t row) const {
    if (row >= fixedRows() && row < rows()) {
        const auto index = static_cast<WPARAM>(row - fixedRows());
        SendMessageW(list_, LVM_REDRAWITEMS, index, static_cast<LPARAM>(index));
    }
}

bool ListViewGrid::notify(const NMHDR& header, LRESULT& result) {
    if (header.code != LVN_GETDISPINFOW) {
        return false;
    }
    // Only for whoever asks the ListView for its texts; the grid draws them.
    auto& info = const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header));
    const std::int32_t row = info.item.iItem + fixedRows();
    if ((info.item.mask & LVIF_TEXT) != 0 && info.item.pszText != nullptr && info.item.cchTextMax > 0 &&
        row < rows() && info.item.iSubItem < cols()) {
        const std::wstring text = toWide(cells_.text(row, info.item.iSubItem));
        lstrcpynW(info.item.pszText, text.c_str(), info.item.cchTextMax);
    }
    result = 0;
    return true;
}

LRESULT CALLBACK ListViewGrid::listProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ListViewGrid* grid = gridOf(window);
    if (grid == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        RemovePropW(window, kSelf);
        return CallWindowProcW(grid->listDefault_, window, message, wParam, lParam);
    }
    return grid->onListMessage(message, wParam, lParam);
}

LRESULT CALLBACK ListViewGrid::headerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ListViewGrid* grid = gridOf(window);
    if (grid == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        RemovePropW(window, kSelf);
        return CallWindowProcW(grid->headerDefault_, window, message, wParam, lParam);
    }
    return grid->onHeaderMessage(message, wParam, lParam);
}

}  // namespace corvane::win32

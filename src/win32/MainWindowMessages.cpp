// What frmMain does with the messages of its own window and of its controls.
#include "win32/MainWindow.h"

#include "win32/DataWindowSlot.h"
#include "win32/GdiFont.h"

#include <commctrl.h>
#include <windowsx.h>

namespace corvane::win32 {

namespace {

constexpr COLORREF kDarkGreen = RGB(0, 128, 0);

}  // namespace

LRESULT CALLBACK MainWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        static_cast<MainWindow*>(create->lpCreateParams)->window_ = window;
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->onMessage(message, wParam, lParam);
}

LRESULT MainWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        // Returns only on No, which keeps the window.
        requestUnload();
        return 0;
    case WM_QUERYENDSESSION:
        return requestUnload() ? TRUE : FALSE;
    case WM_ACTIVATE:
        // The control that had the focus gets it back when the window does.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus != nullptr && IsChild(window_, focus)) {
                lastFocus_ = focus;
            }
        } else if (lastFocus_ != nullptr && IsWindow(lastFocus_)) {
            SetFocus(lastFocus_);
        }
        return 0;
    case WM_TIMER:
        if (wParam == kFetchTimer) {
            clearFetchIndicator();
            return 0;
        }
        break;
    case WM_COMMAND:
        if (lParam != 0) {
            onCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
            return 0;
        }
        break;
    case WM_CTLCOLORSTATIC: {
        LRESULT brush = 0;
        if (onControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), brush)) {
            return brush;
        }
        break;
    }
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        LRESULT result = 0;
        if (grid_ != nullptr && header.hwndFrom == grid_->handle() && grid_->notify(header, result)) {
            return result;
        }
        break;
    }
    case WM_MEASUREITEM: {
        auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (item.CtlType == ODT_LISTVIEW) {
            ListViewGrid::measureRow(item, GdiFont::dialog().handle());
            return TRUE;
        }
        break;
    }
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (grid_ != nullptr && item.hwndItem == grid_->handle()) {
            grid_->drawRow(item);
            return TRUE;
        }
        break;
    }
    case WM_MOUSEWHEEL: {
        // The wheel turns at the control with the focus; over the grid it
        // scrolls the grid, whichever control that is (an open cell editor).
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        RECT grid{};
        if (grid_ != nullptr && GetWindowRect(grid_->handle(), &grid) && PtInRect(&grid, at)) {
            return SendMessageW(grid_->handle(), message, wParam, lParam);
        }
        break;
    }
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

bool MainWindow::onControlColour(HDC dc, HWND control, LRESULT& brush) const {
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    if (control == controlNamed(L"labelFetch")) {
        SetTextColor(dc, kDarkGreen);
    }
    brush = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    return true;
}

void MainWindow::onCommand(HWND control, WORD code) {
    if (code != BN_CLICKED) {
        return;
    }
    if (control == controlNamed(L"cmdData")) {
        dataWindow_.showInFront();
    } else if (control == controlNamed(L"btnClearWriteLog")) {
        SetWindowTextW(controlNamed(L"txtWriteLog"), L"");
    }
}

}  // namespace corvane::win32

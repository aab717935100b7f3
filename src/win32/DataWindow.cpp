#include "win32/DataWindow.h"

#include "win32/GdiFont.h"
#include "win32/Twips.h"
#include "win32/WindowClass.h"

#include <stdexcept>

namespace corvane::win32 {

namespace {

constexpr wchar_t kClassName[] = L"CorvaneSim.frmData";

}  // namespace

DataWindow::DataWindow() {
    static const WindowClass windowClass(kClassName, &DataWindow::windowProc);
    const DWORD style = WS_OVERLAPPEDWINDOW;
    RECT frame{0, 0, twipsToPixels(6660), twipsToPixels(7155)};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    window_ = CreateWindowExW(0, kClassName, L"Data", style, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                              frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (window_ == nullptr) {
        throw std::runtime_error("cannot create the data window");
    }
    const RECT place = twipsRect(120, 120, 6015, 6855);
    txtData_ = CreateWindowExW(0, L"EDIT", L"",
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | ES_MULTILINE |
                                   ES_AUTOVSCROLL | ES_WANTRETURN,
                               place.left, place.top, place.right - place.left, place.bottom - place.top, window_,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(txtData_, WM_SETFONT, reinterpret_cast<WPARAM>(GdiFont::dialog().handle()), FALSE);
    SendMessageW(txtData_, EM_SETLIMITTEXT, 0, 0);
}

DataWindow::~DataWindow() {
    if (window_ != nullptr) {
        HWND window = window_;
        window_ = nullptr;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
}

LRESULT CALLBACK DataWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<DataWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr && message == WM_NCDESTROY) {
        // Closed by the operator: the text goes with it.
        self->window_ = nullptr;
        self->txtData_ = nullptr;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace corvane::win32

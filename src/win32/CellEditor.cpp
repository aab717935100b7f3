#include "win32/CellEditor.h"

#include "win32/WindowText.h"
#include "window/GridEditing.h"

#include <algorithm>

namespace corvane::win32 {

namespace {

constexpr wchar_t kSelf[] = L"corvane.editor";

}  // namespace

CellEditor::CellEditor(HWND parent, const RECT& bounds, HFONT gridFont) : gridFont_(gridFont) {
    // Hidden at first; WS_BORDER rather than a sunken edge, which would take
    // most of a row's height.
    edit_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, bounds.left,
                            bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    SendMessageW(edit_, EM_SETLIMITTEXT, 0, 0);
    SetPropW(edit_, kSelf, this);
    editDefault_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CellEditor::editProc)));
}

bool CellEditor::isShown() const {
    // The window's own flag: the main window itself may not be shown yet.
    return (GetWindowLongW(edit_, GWL_STYLE) & WS_VISIBLE) != 0;
}

bool CellEditor::hasFocus() const {
    return GetFocus() == edit_;
}

std::u16string CellEditor::text() const {
    return windowText(edit_);
}

void CellEditor::setText(std::u16string_view text, int caret) {
    setWindowText(edit_, text);
    SendMessageW(edit_, EM_SETSEL, static_cast<WPARAM>(caret), caret);
}

void CellEditor::takeGridFont() {
    SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(gridFont_), FALSE);
}

void CellEditor::place(const window::PixelRect& cell, const window::PixelRect& visible) {
    SetWindowPos(edit_, HWND_TOP, cell.left, cell.top, cell.width, cell.height, SWP_NOACTIVATE);
    // Only the part over the grid's data area shows: a cell scrolled under the
    // caption row or out of the grid takes its editor with it.
    const int left = std::max(cell.left, visible.left);
    const int top = std::max(cell.top, visible.top);
    const int right = std::min(cell.left + cell.width, visible.left + visible.width);
    const int bottom = std::min(cell.top + cell.height, visible.top + visible.height);
    if (left == cell.left && top == cell.top && right == cell.left + cell.width && bottom == cell.top + cell.height) {
        SetWindowRgn(edit_, nullptr, TRUE);
        return;
    }
    HRGN shown = CreateRectRgn(left - cell.left, top - cell.top, std::max(left, right) - cell.left,
                               std::max(top, bottom) - cell.top);
    SetWindowRgn(edit_, shown, TRUE);  // the window owns the region from here
}

void CellEditor::show() {
    ShowWindow(edit_, SW_SHOW);
}

void CellEditor::hide() {
    ShowWindow(edit_, SW_HIDE);
}

void CellEditor::takeFocus() {
    SetFocus(edit_);
}

LRESULT CellEditor::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && editing_ != nullptr) {
        switch (wParam) {
        case VK_ESCAPE:
            editing_->escapePressed();
            return 0;
        case VK_RETURN:
            editing_->enterPressed();
            return 0;
        case VK_DOWN:
            editing_->downPressed();
            return 0;
        case VK_UP:
            editing_->upPressed();
            return 0;
        default:
            break;
        }
    }
    if (message == WM_CHAR && (wParam == L'\r' || wParam == 27)) {
        return 0;
    }
    return CallWindowProcW(editDefault_, edit_, message, wParam, lParam);
}

LRESULT CALLBACK CellEditor::editProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* editor = static_cast<CellEditor*>(GetPropW(window, kSelf));
    if (editor == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        RemovePropW(window, kSelf);
        return CallWindowProcW(editor->editDefault_, window, message, wParam, lParam);
    }
    return editor->onMessage(message, wParam, lParam);
}

}  // namespace corvane::win32

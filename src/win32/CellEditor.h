#pragma once

#include "window/CellEditorBox.h"

#include <windows.h>

namespace corvane::window {
class GridEditing;
}

namespace corvane::win32 {

// txtEditInput: an EDIT laid over the cell being edited. Escape, Enter, Down
// and Up end or move the edit instead of being typed (the shift state does
// not matter); the carriage return is swallowed, neither typed nor beeped.
class CellEditor final : public window::CellEditorBox {
public:
    CellEditor(HWND parent, const RECT& bounds, HFONT gridFont);
    CellEditor(const CellEditor&) = delete;
    CellEditor& operator=(const CellEditor&) = delete;

    HWND handle() const { return edit_; }
    void setEditing(window::GridEditing* editing) { editing_ = editing; }

    bool isShown() const override;
    bool hasFocus() const override;
    std::u16string text() const override;
    void setText(std::u16string_view text, int caret) override;
    void takeGridFont() override;
    void place(const window::PixelRect& cell, const window::PixelRect& visible) override;
    void show() override;
    void hide() override;
    void takeFocus() override;

private:
    static LRESULT CALLBACK editProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HWND edit_ = nullptr;
    WNDPROC editDefault_ = nullptr;
    HFONT gridFont_;
    window::GridEditing* editing_ = nullptr;
};

}  // namespace corvane::win32

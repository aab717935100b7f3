#pragma once

#include "window/EditableGrid.h"

#include <string>
#include <string_view>

namespace corvane::window {

// txtEditInput, the text box laid over the cell being edited, whatever draws
// it. Its visibility is the only record of an open edit.
class CellEditorBox {
public:
    virtual ~CellEditorBox() = default;

    virtual bool isShown() const = 0;
    virtual bool hasFocus() const = 0;
    virtual std::u16string text() const = 0;
    // Sets the text with the caret at `caret`, nothing selected.
    virtual void setText(std::u16string_view text, int caret) = 0;
    // Takes the grid's font name and size.
    virtual void takeGridFont() = 0;
    // Lays the box over `cell`, showing only the part inside `visible`.
    virtual void place(const PixelRect& cell, const PixelRect& visible) = 0;
    virtual void show() = 0;
    virtual void hide() = 0;
    virtual void takeFocus() = 0;
};

}  // namespace corvane::window

#include "window/GridEditing.h"

#include "server/ConsoleEvents.h"
#include "window/CellEditorBox.h"
#include "window/EditableGrid.h"

#include <algorithm>
#include <string>

namespace corvane::window {

namespace {

// The caret goes no further than this into a long cell text.
constexpr int kMaxCaretPosition = 1000;

std::u16string characterOf(int keyAscii) {
    if (keyAscii < 0) {
        return std::u16string(1, static_cast<char16_t>(keyAscii & 0xFFFF));
    }
    const auto code = static_cast<char32_t>(keyAscii);
    if (code < 0x10000) {
        return std::u16string(1, static_cast<char16_t>(code));
    }
    const char32_t above = code - 0x10000;
    return {static_cast<char16_t>(0xD800 + (above >> 10)), static_cast<char16_t>(0xDC00 + (above & 0x3FF))};
}

}  // namespace

bool GridEditing::isOpen() const {
    return editor_.isShown();
}

void GridEditing::open(int keyAscii) {
    // The caption row alone has no cell to edit.
    if (!grid_.hasDataRows()) {
        return;
    }
    editor_.takeGridFont();
    if (keyAscii >= 0 && keyAscii <= 32) {
        const std::u16string text = grid_.cellText(grid_.row(), grid_.col());
        editor_.setText(text, std::min(static_cast<int>(text.size()), kMaxCaretPosition));
    } else {
        const std::u16string typed = characterOf(keyAscii);
        editor_.setText(typed, static_cast<int>(typed.size()));
    }
    placeEditorOverCurrentCell();
    editor_.show();
    editor_.takeFocus();
    editColumn_ = grid_.col();
}

void GridEditing::commit() {
    if (!isOpen()) {
        return;
    }
    const std::u16string typed = editor_.text();
    const bool editorHadFocus = editor_.hasFocus();
    // Hidden first, so that whatever the commit sets off finds no open edit.
    editor_.hide();
    // A commit that did not come from the grid taking the focus (the grid
    // scrolled under an edit, say) must not leave the focus to whichever
    // control the toolkit picks: it goes back to the grid.
    if (editorHadFocus) {
        grid_.takeFocus();
    }
    // Rows removed while the edit was open may have left no data cell to
    // write into; the caption row is never overwritten.
    if (!grid_.hasDataRows()) {
        return;
    }
    const std::int32_t row = grid_.row();
    grid_.setCellText(row, grid_.col(), typed);
    if (events_ == nullptr) {
        return;
    }
    try {
        events_->gridEditCommitted(row, editColumn_, typed);
    } catch (...) {
        // The object model absorbs its failures; nothing may escape into the
        // toolkit's event handling either way.
    }
}

void GridEditing::escapePressed() {
    editor_.hide();
    grid_.takeFocus();
}

void GridEditing::enterPressed() {
    // The grid getting the focus commits; the direct commit covers a window
    // that is not active and so hands out no focus events.
    grid_.takeFocus();
    commit();
}

void GridEditing::downPressed() {
    enterPressed();
    grid_.runPendingEvents();
    if (grid_.hasDataRows() && grid_.row() < grid_.rowCount() - 1) {
        grid_.setCurrentCell(grid_.row() + 1, grid_.col());
    }
}

void GridEditing::upPressed() {
    enterPressed();
    grid_.runPendingEvents();
    if (grid_.hasDataRows() && grid_.row() > grid_.fixedRows()) {
        const std::int32_t above = grid_.row() - 1;
        grid_.setCurrentCell(above, grid_.col());
        if (above < grid_.topRow()) {
            grid_.setTopRow(above);
        }
    }
}

void GridEditing::scrolled() {
    // A current row scrolled out above the view follows it to its top; that
    // change of current cell commits an open edit. One scrolled out below
    // stays where it is.
    if (grid_.hasDataRows() && grid_.row() < grid_.topRow()) {
        grid_.setCurrentCell(grid_.topRow(), grid_.col());
    }
    // An edit still open stays over its own cell, wherever that went.
    if (isOpen()) {
        placeEditorOverCurrentCell();
    }
}

void GridEditing::placeEditorOverCurrentCell() {
    editor_.place(grid_.cellRect(grid_.row(), grid_.col()), grid_.dataArea());
}

}  // namespace corvane::window

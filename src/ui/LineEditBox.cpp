#include "ui/LineEditBox.h"

#include "ui/CellEditor.h"
#include "ui/QtText.h"
#include "ui/TextGrid.h"

#include <QRegion>

namespace corvane::ui {

bool LineEditBox::isShown() const {
    return !editor_.isHidden();
}

bool LineEditBox::hasFocus() const {
    return editor_.hasFocus();
}

std::u16string LineEditBox::text() const {
    return toU16(editor_.text());
}

void LineEditBox::setText(std::u16string_view text, int caret) {
    editor_.setText(toQString(text));
    editor_.setCursorPosition(caret);
}

void LineEditBox::takeGridFont() {
    editor_.setFont(grid_.font());
}

void LineEditBox::place(const window::PixelRect& cell, const window::PixelRect& visible) {
    const QRect cellRect(cell.left, cell.top, cell.width, cell.height);
    editor_.setGeometry(cellRect);
    // Only the part over the grid's data area shows: a cell scrolled under
    // the caption row or out of the grid takes its editor with it.
    const QRect shown = cellRect.intersected(QRect(visible.left, visible.top, visible.width, visible.height));
    if (shown == cellRect) {
        editor_.clearMask();
    } else {
        editor_.setMask(QRegion(shown.translated(-cellRect.topLeft())));
    }
}

void LineEditBox::show() {
    editor_.show();
    editor_.raise();
}

void LineEditBox::hide() {
    // Qt hands the focus of a hidden widget on to the next control in the
    // window's order, whose focus-out would then apply its text; the editing
    // gives the focus back to the grid itself.
    if (editor_.hasFocus()) {
        editor_.clearFocus();
    }
    editor_.hide();
}

void LineEditBox::takeFocus() {
    editor_.setFocus(Qt::OtherFocusReason);
}

}  // namespace corvane::ui

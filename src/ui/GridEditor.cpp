#include "ui/GridEditor.h"

#include "server/ConsoleEvents.h"
#include "ui/CellEditor.h"
#include "ui/QtText.h"
#include "ui/TextGrid.h"

#include <QCoreApplication>

#include <algorithm>

namespace corvane::ui {

namespace {

// The caret goes no further than this into a long cell text.
constexpr int kMaxCaretPosition = 1000;

QString characterOf(int keyAscii) {
    if (keyAscii < 0) {
        return QString(QChar(static_cast<char16_t>(keyAscii & 0xFFFF)));
    }
    const char32_t code = static_cast<char32_t>(keyAscii);
    return QString::fromUcs4(&code, 1);
}

}  // namespace

GridEditor::GridEditor(TextGrid& grid, CellEditor& editor, QObject* parent)
    : QObject(parent), grid_(grid), editor_(editor) {
    connect(&grid_, &TextGrid::focusReceived, this, &GridEditor::commit);
    connect(&grid_, &TextGrid::currentCellAboutToChange, this, &GridEditor::commit);
    connect(&grid_, &TextGrid::characterTyped, this, &GridEditor::open);
    connect(&grid_, &TextGrid::doubleClicked, this, [this] { open(32); });
    connect(&grid_, &TextGrid::scrolled, this, &GridEditor::keepCurrentRowInView);

    connect(&editor_, &CellEditor::escapePressed, this, &GridEditor::discard);
    // The grid getting the focus commits; the direct commit covers a window
    // that is not active and so hands out no focus events.
    connect(&editor_, &CellEditor::enterPressed, this, [this] {
        grid_.setFocus(Qt::OtherFocusReason);
        commit();
    });
    connect(&editor_, &CellEditor::downPressed, this, &GridEditor::commitAndMoveDown);
    connect(&editor_, &CellEditor::upPressed, this, &GridEditor::commitAndMoveUp);
}

bool GridEditor::isOpen() const {
    return !editor_.isHidden();
}

void GridEditor::open(int keyAscii) {
    // The caption row alone has no cell to edit.
    if (!grid_.hasDataRows()) {
        return;
    }
    editor_.setFont(grid_.font());
    if (keyAscii >= 0 && keyAscii <= 32) {
        editor_.setText(grid_.text(grid_.row(), grid_.col()));
        editor_.setCursorPosition(std::min<int>(static_cast<int>(editor_.text().size()), kMaxCaretPosition));
    } else {
        editor_.setText(characterOf(keyAscii));
    }
    editor_.setGeometry(grid_.cellRect(grid_.row(), grid_.col()).translated(grid_.pos()));
    editor_.show();
    editor_.raise();
    editor_.setFocus(Qt::OtherFocusReason);
    editColumn_ = grid_.col();
}

void GridEditor::commit() {
    if (!isOpen()) {
        return;
    }
    if (editor_.hasFocus()) {
        // A commit the operator did not make by leaving the editor (the wheel
        // scrolling the edited row away): hiding the editor would hand the
        // focus on to the next control in the window's order, where the next
        // key would overwrite a setting. The grid takes it back, and getting
        // it commits.
        grid_.setFocus(Qt::OtherFocusReason);
        if (!isOpen()) {
            return;
        }
    }
    const QString typed = editor_.text();
    // Hidden first, so that whatever the commit sets off finds no open edit.
    editor_.hide();
    // Rows removed while the edit was open may have left no data cell to
    // write into; the caption row is never overwritten.
    if (!grid_.hasDataRows()) {
        return;
    }
    const int row = grid_.row();
    grid_.setText(row, grid_.col(), typed);
    if (events_ == nullptr) {
        return;
    }
    try {
        events_->gridEditCommitted(row, editColumn_, toU16(typed));
    } catch (...) {
        // The object model absorbs its failures; nothing may escape into
        // Qt's event handling either way.
    }
}

void GridEditor::discard() {
    editor_.hide();
    grid_.setFocus(Qt::OtherFocusReason);
}

void GridEditor::commitAndMoveDown() {
    grid_.setFocus(Qt::OtherFocusReason);
    commit();
    QCoreApplication::processEvents();
    if (grid_.hasDataRows() && grid_.row() < grid_.rows() - 1) {
        grid_.setCurrentCell(grid_.row() + 1, grid_.col());
    }
}

void GridEditor::commitAndMoveUp() {
    grid_.setFocus(Qt::OtherFocusReason);
    commit();
    QCoreApplication::processEvents();
    if (grid_.hasDataRows() && grid_.row() > grid_.fixedRows()) {
        const int above = grid_.row() - 1;
        grid_.setCurrentCell(above, grid_.col());
        if (above < grid_.topRow()) {
            grid_.setTopRow(above);
        }
    }
}

void GridEditor::keepCurrentRowInView() {
    // A current row scrolled out above the view follows it to its top; that
    // change of current cell commits an open edit. One scrolled out below
    // stays where it is.
    if (grid_.hasDataRows() && grid_.row() < grid_.topRow()) {
        grid_.setCurrentCell(grid_.topRow(), grid_.col());
    }
}

}  // namespace corvane::ui

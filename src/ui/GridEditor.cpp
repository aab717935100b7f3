#include "ui/GridEditor.h"

#include "ui/CellEditor.h"
#include "ui/TextGrid.h"

namespace corvane::ui {

GridEditor::GridEditor(TextGrid& grid, CellEditor& editor, QObject* parent)
    : QObject(parent), grid_(grid), editor_(editor, grid), editing_(grid_, editor_) {
    auto* const editing = &editing_;
    connect(&grid, &TextGrid::focusReceived, this, [editing] { editing->gridFocusReceived(); });
    connect(&grid, &TextGrid::currentCellAboutToChange, this, [editing] { editing->currentCellAboutToChange(); });
    connect(&grid, &TextGrid::characterTyped, this, [editing](int code) { editing->characterTyped(code); });
    connect(&grid, &TextGrid::doubleClicked, this, [editing] { editing->doubleClicked(); });
    connect(&grid, &TextGrid::scrolled, this, [editing] { editing->scrolled(); });

    connect(&editor, &CellEditor::escapePressed, this, [editing] { editing->escapePressed(); });
    connect(&editor, &CellEditor::enterPressed, this, [editing] { editing->enterPressed(); });
    connect(&editor, &CellEditor::downPressed, this, [editing] { editing->downPressed(); });
    connect(&editor, &CellEditor::upPressed, this, [editing] { editing->upPressed(); });
}

}  // namespace corvane::ui

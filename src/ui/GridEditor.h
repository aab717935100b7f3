#pragma once

#include "ui/EditableTextGrid.h"
#include "ui/LineEditBox.h"
#include "window/GridEditing.h"

#include <QObject>

#include <cstdint>

namespace corvane {
class ConsoleEvents;
}

namespace corvane::ui {

class CellEditor;
class TextGrid;

// In-place editing of the grid's value and confidence cells: the Qt grid's
// and editor's signals drive the editing every toolkit shares.
class GridEditor final : public QObject {
    Q_OBJECT

public:
    GridEditor(TextGrid& grid, CellEditor& editor, QObject* parent = nullptr);

    void setConsoleEvents(ConsoleEvents* events) { editing_.setConsoleEvents(events); }

    // Opens an edit on the current cell. Codes 0 to 32 keep the cell's text,
    // any other code (a negative one being a UTF-16 unit) replaces it with
    // that character. With no data rows there is no cell to edit.
    void open(int keyAscii) { editing_.open(keyAscii); }
    void commit() { editing_.commit(); }

    bool isOpen() const { return editing_.isOpen(); }
    // nEditCol: the grid column that was current when the edit opened.
    std::int32_t editColumn() const { return editing_.editColumn(); }

private:
    EditableTextGrid grid_;
    LineEditBox editor_;
    window::GridEditing editing_;
};

}  // namespace corvane::ui

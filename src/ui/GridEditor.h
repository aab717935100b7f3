#pragma once

#include <QObject>

#include <cstdint>

namespace corvane {
class ConsoleEvents;
}

namespace corvane::ui {

class CellEditor;
class TextGrid;

// In-place editing of the grid's value and confidence cells. An edit is open
// while the editor is shown; it is committed when the grid gets the focus or
// its current cell is about to change, and discarded by Escape. A commit
// writes the text as typed into the current cell and hands it to the object
// model, which applies it to the tag of that row.
class GridEditor final : public QObject {
    Q_OBJECT

public:
    GridEditor(TextGrid& grid, CellEditor& editor, QObject* parent = nullptr);

    void setConsoleEvents(ConsoleEvents* events) { events_ = events; }

    // Opens an edit on the current cell. Codes 0 to 32 keep the cell's text,
    // any other code (a negative one being a UTF-16 unit) replaces it with
    // that character. With no data rows there is no cell to edit.
    void open(int keyAscii);
    void commit();

    bool isOpen() const;
    // nEditCol: the grid column that was current when the edit opened.
    std::int32_t editColumn() const { return editColumn_; }

private:
    void discard();
    void commitAndMoveDown();
    void commitAndMoveUp();
    void keepCurrentRowInView();

    TextGrid& grid_;
    CellEditor& editor_;
    ConsoleEvents* events_ = nullptr;
    std::int32_t editColumn_ = 0;
};

}  // namespace corvane::ui

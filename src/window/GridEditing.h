#pragma once

#include <cstdint>

namespace corvane {
class ConsoleEvents;
}

namespace corvane::window {

class CellEditorBox;
class EditableGrid;

// In-place editing of the grid's value and confidence cells, the same for
// every toolkit. An edit is open while the editor is shown; it is committed
// when the grid gets the focus or its current cell is about to change, and
// discarded by Escape. A commit writes the text as typed into the current
// cell and hands it to the object model, which applies it to that row's tag.
// The toolkit adapters turn their events into the calls below.
class GridEditing {
public:
    GridEditing(EditableGrid& grid, CellEditorBox& editor) : grid_(grid), editor_(editor) {}

    void setConsoleEvents(ConsoleEvents* events) { events_ = events; }

    // GridEdit: opens an edit on the current cell. Codes 0 to 32 keep the
    // cell's text, any other code (a negative one being a UTF-16 unit)
    // replaces it with that character. With no data rows there is no cell.
    void open(int keyAscii);
    void commit();

    bool isOpen() const;
    // nEditCol: the grid column that was current when the edit opened.
    std::int32_t editColumn() const { return editColumn_; }

    // Grid events.
    void gridFocusReceived() { commit(); }
    void currentCellAboutToChange() { commit(); }
    void characterTyped(int keyAscii) { open(keyAscii); }
    void doubleClicked() { open(32); }
    void scrolled();

    // Keys in the editor that end or move an edit (the shift state does not
    // matter); every other key is ordinary typing.
    void escapePressed();
    void enterPressed();
    void downPressed();
    void upPressed();

private:
    void placeEditorOverCurrentCell();

    EditableGrid& grid_;
    CellEditorBox& editor_;
    ConsoleEvents* events_ = nullptr;
    std::int32_t editColumn_ = 0;
};

}  // namespace corvane::window

#pragma once

#include <string>
#include <vector>

// The grid's in-place editing as the operator sees it, one table of cases that
// the Qt and the Win32 window tests both play with real mouse and key input,
// so that the two windows cannot drift apart. Every case starts from the main
// window with three rows:
//   row 1: TIC101.PV  12.5  100
//   row 2: FIC7.PV    -999  0
//   row 3: LIC3.PV    5     80
namespace corvane::test {

enum class Key { Enter, Escape, Down, ShiftDown, Up, Left, Tab, ShiftTab, Home, End, Delete, Backspace };

struct Step {
    enum class Kind { ClickCell, DoubleClickCell, ClickEditor, Type, Press };
    Kind kind;
    int row = 0;
    int col = 0;
    const char* text = nullptr;
    Key key = Key::Enter;
};

inline Step clickCell(int row, int col) { return {Step::Kind::ClickCell, row, col}; }
inline Step doubleClickCell(int row, int col) { return {Step::Kind::DoubleClickCell, row, col}; }
inline Step clickEditor() { return {Step::Kind::ClickEditor}; }
inline Step type(const char* text) { return {Step::Kind::Type, 0, 0, text}; }
inline Step press(Key key) { return {Step::Kind::Press, 0, 0, nullptr, key}; }

struct CellText {
    int row;
    int col;
    std::u16string text;
};

struct Commit {
    int row;
    int editColumn;
    std::u16string typedText;
    bool operator==(const Commit&) const = default;
};

struct GridEditCase {
    const char* name;  // a test name: letters and digits only
    std::vector<Step> steps;
    // What the window shows afterwards.
    bool editorShown;
    const char16_t* editorText;  // checked when not null
    std::vector<CellText> cells;
    std::vector<Commit> commits;  // handed to the object model, in order
    int currentRow;               // checked when not 0
    int currentCol;
    const char* focus;  // the control with the keyboard focus, when not null
};

const std::vector<GridEditCase>& gridEditCases();

}  // namespace corvane::test

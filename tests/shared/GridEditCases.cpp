#include "GridEditCases.h"

namespace corvane::test {

const std::vector<GridEditCase>& gridEditCases() {
    static const std::vector<GridEditCase> cases = {
        {"DoubleClickOpensTheEditorOnTheCellText",
         {doubleClickCell(1, 1)}, true, u"12.5", {}, {}, 1, 1, "txtEditInput"},
        {"EnterWritesTheTextAsTypedAndHandsItOn",
         {doubleClickCell(1, 1), type("0"), press(Key::Enter)}, false, nullptr,
         {{1, 1, u"12.50"}}, {{1, 1, u"12.50"}}, 1, 1, "gridData"},
        {"ACharacterTypedOnTheGridReplacesTheCellText",
         {clickCell(2, 2), type("7")}, true, u"7", {{2, 2, u"0"}}, {}, 2, 2, "txtEditInput"},
        {"ACharacterEditCommitsWithEnter",
         {clickCell(2, 2), type("7"), press(Key::Enter)}, false, nullptr, {{2, 2, u"7"}}, {{2, 2, u"7"}}, 2, 2, "gridData"},
        {"EscapeOnTheGridEditsTheCellText",
         {clickCell(2, 1), press(Key::Escape)}, true, u"-999", {}, {}, 2, 1, "txtEditInput"},
        {"BackspaceOnTheGridEditsTheCellText",
         {clickCell(2, 1), press(Key::Backspace)}, true, u"-999", {}, {}, 2, 1, "txtEditInput"},
        {"EnterOnTheGridEditsTheCellText",
         {clickCell(2, 1), press(Key::Enter)}, true, u"-999", {}, {}, 2, 1, "txtEditInput"},
        {"EscapeInTheEditorDiscardsTheEdit",
         {doubleClickCell(1, 2), type("55"), press(Key::Escape)}, false, nullptr, {{1, 2, u"100"}}, {}, 1, 2, "gridData"},
        {"DownCommitsAndMovesToTheNextRowInTheSameColumn",
         {clickCell(1, 2), type("9"), press(Key::Down)}, false, nullptr, {{1, 2, u"9"}}, {{1, 2, u"9"}}, 2, 2, "gridData"},
        {"DownOnTheLastRowCommitsAndStays",
         {clickCell(3, 1), type("8"), press(Key::Down)}, false, nullptr, {{3, 1, u"8"}}, {{3, 1, u"8"}}, 3, 1, "gridData"},
        {"UpCommitsAndMovesToThePreviousRow",
         {clickCell(3, 2), type("1"), press(Key::Up)}, false, nullptr, {{3, 2, u"1"}}, {{3, 2, u"1"}}, 2, 2, "gridData"},
        {"UpOnTheFirstRowCommitsAndStays",
         {clickCell(1, 1), type("6"), press(Key::Up)}, false, nullptr, {{1, 1, u"6"}}, {{1, 1, u"6"}}, 1, 1, "gridData"},
        {"ShiftDoesNotChangeWhatTheEditorKeysDo",
         {clickCell(1, 1), type("4"), press(Key::ShiftDown)}, false, nullptr, {}, {{1, 1, u"4"}}, 2, 1, "gridData"},
        {"OtherKeysEditTheTextAsInAnyTextBox",
         {doubleClickCell(1, 1), press(Key::Home), press(Key::Delete), press(Key::End), press(Key::Backspace), type("7"),
          press(Key::Enter)},
         false, nullptr, {{1, 1, u"2.7"}}, {{1, 1, u"2.7"}}, 1, 1, "gridData"},
        {"TabLeavesTheEditOpenWithItsText",
         {clickCell(1, 2), type("42"), press(Key::Tab)}, true, u"42", {{1, 2, u"100"}}, {}, 1, 2, "txtPeriod"},
        {"AClickOnTheGridCommitsAnEditLeftOpenToItsOwnCell",
         {clickCell(1, 2), type("42"), press(Key::Tab), clickCell(3, 1)}, false, nullptr,
         {{1, 2, u"42"}, {3, 1, u"5"}}, {{1, 2, u"42"}}, 3, 1, "gridData"},
        {"AClickBackIntoAnEditLeftOpenGoesOnEditingIt",
         {clickCell(2, 1), type("1"), press(Key::Tab), clickEditor(), type("5"), press(Key::Enter)}, false, nullptr,
         {{2, 1, u"15"}}, {{2, 1, u"15"}}, 2, 1, "gridData"},
        {"ShiftTabGoesBackToTheGridAndCommits",
         {clickCell(2, 2), type("3"), press(Key::ShiftTab)}, false, nullptr, {{2, 2, u"3"}}, {{2, 2, u"3"}}, 2, 2, "gridData"},
        {"ArrowKeysMoveTheCurrentCellAmongTheDataCellsOnly",
         {clickCell(2, 2), press(Key::Left), press(Key::Left), press(Key::Up), press(Key::Up)}, false, nullptr, {}, {}, 1, 1,
         "gridData"},
        {"AClickOnTheNameColumnLeavesTheCurrentCell",
         {clickCell(2, 2), clickCell(3, 0)}, false, nullptr, {}, {}, 2, 2, "gridData"},
    };
    return cases;
}

}  // namespace corvane::test

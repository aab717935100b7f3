// The editing cases shared with the Win32 window, played on the Qt window.
#include "GridEditCases.h"
#include "GridEditFixture.h"

namespace corvane::ui::test {
namespace {

using corvane::test::GridEditCase;
using corvane::test::Key;
using corvane::test::Step;

class GridEditCases : public GridEditFixture, public ::testing::WithParamInterface<GridEditCase> {
protected:
    static void pressKey(Key key) {
        switch (key) {
        case Key::Enter:
            return press(Qt::Key_Return);
        case Key::Escape:
            return press(Qt::Key_Escape);
        case Key::Down:
            return press(Qt::Key_Down);
        case Key::ShiftDown:
            return press(Qt::Key_Down, Qt::ShiftModifier);
        case Key::Up:
            return press(Qt::Key_Up);
        case Key::Left:
            return press(Qt::Key_Left);
        case Key::Tab:
            return press(Qt::Key_Tab);
        case Key::ShiftTab:
            return press(Qt::Key_Backtab, Qt::ShiftModifier);
        case Key::Home:
            return press(Qt::Key_Home);
        case Key::End:
            return press(Qt::Key_End);
        case Key::Delete:
            return press(Qt::Key_Delete);
        case Key::Backspace:
            return press(Qt::Key_Backspace);
        }
    }

    // Wherever the cell is drawn: the name column is the table's header.
    void clickAnyCell(int row, int col) const {
        const QPoint inGrid = grid().cellRect(row, col).center();
        QWidget* target = grid().childAt(inGrid);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&grid(), inGrid));
    }

    void play(const Step& step) {
        switch (step.kind) {
        case Step::Kind::ClickCell:
            return clickAnyCell(step.row, step.col);
        case Step::Kind::DoubleClickCell:
            return doubleClickCell(step.row, step.col);
        case Step::Kind::ClickEditor:
            return QTest::mouseClick(&editor(), Qt::LeftButton);
        case Step::Kind::Type:
            return type(step.text);
        case Step::Kind::Press:
            return pressKey(step.key);
        }
    }

    std::vector<corvane::test::Commit> commits() const {
        std::vector<corvane::test::Commit> made;
        for (const auto& commit : events.commits) {
            made.push_back({commit.row, commit.editColumn, commit.typedText});
        }
        return made;
    }
};

TEST_P(GridEditCases, LeaveTheWindowAsTheOperatorExpects) {
    const GridEditCase& expected = GetParam();
    for (const Step& step : expected.steps) {
        play(step);
    }
    EXPECT_EQ(editorShown(), expected.editorShown);
    if (expected.editorText != nullptr) {
        EXPECT_EQ(editor().text(), QString::fromStdU16String(expected.editorText));
    }
    for (const auto& cellText : expected.cells) {
        EXPECT_EQ(cell(cellText.row, cellText.col), QString::fromStdU16String(cellText.text))
            << "cell " << cellText.row << ", " << cellText.col;
    }
    EXPECT_EQ(commits(), expected.commits);
    if (expected.currentRow != 0) {
        EXPECT_EQ(grid().row(), expected.currentRow);
        EXPECT_EQ(grid().col(), expected.currentCol);
    }
    if (expected.focus != nullptr) {
        EXPECT_EQ(focusedControlName(), QString::fromLatin1(expected.focus));
    }
    if (expected.editorShown) {
        EXPECT_EQ(editor().geometry(), grid().cellRect(grid().row(), grid().col()).translated(grid().pos()))
            << "the editor lies over its cell";
    }
}

INSTANTIATE_TEST_SUITE_P(Shared, GridEditCases, ::testing::ValuesIn(corvane::test::gridEditCases()),
                         [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

}  // namespace
}  // namespace corvane::ui::test

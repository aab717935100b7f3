// The shared editing cases played on the Win32 window.
#include "GridEditCases.h"
#include "GridEditFixture.h"

namespace corvane::win32::test {
namespace {

using corvane::test::GridEditCase;
using corvane::test::Key;
using corvane::test::Step;

void pressKey(Key key) {
    switch (key) {
    case Key::Enter:
        return SyntheticInput::press(VK_RETURN);
    case Key::Escape:
        return SyntheticInput::press(VK_ESCAPE);
    case Key::Down:
        return SyntheticInput::press(VK_DOWN);
    case Key::ShiftDown:
        return SyntheticInput::press(VK_DOWN, true);
    case Key::Up:
        return SyntheticInput::press(VK_UP);
    case Key::Left:
        return SyntheticInput::press(VK_LEFT);
    case Key::Tab:
        return SyntheticInput::press(VK_TAB);
    case Key::ShiftTab:
        return SyntheticInput::press(VK_TAB, true);
    case Key::Home:
        return SyntheticInput::press(VK_HOME);
    case Key::End:
        return SyntheticInput::press(VK_END);
    case Key::Delete:
        return SyntheticInput::press(VK_DELETE);
    case Key::Backspace:
        return SyntheticInput::press(VK_BACK);
    }
}

class GridEditCases : public GridEditFixture, public ::testing::WithParamInterface<GridEditCase> {
protected:
    void play(const Step& step) {
        switch (step.kind) {
        case Step::Kind::ClickCell:
            return clickCell(step.row, step.col);
        case Step::Kind::DoubleClickCell:
            return doubleClickCell(step.row, step.col);
        case Step::Kind::ClickEditor:
            return SyntheticInput::click(screenCentre(editor().handle()));
        case Step::Kind::Type:
            return SyntheticInput::type(step.text);
        case Step::Kind::Press:
            return pressKey(step.key);
        }
    }
};

TEST_P(GridEditCases, LeaveTheWindowAsTheOperatorExpects) {
    const GridEditCase& expected = GetParam();
    for (const Step& step : expected.steps) {
        play(step);
    }
    EXPECT_EQ(editor().isShown(), expected.editorShown);
    if (expected.editorText != nullptr) {
        EXPECT_EQ(editor().text(), expected.editorText);
    }
    for (const auto& cellText : expected.cells) {
        EXPECT_EQ(cell(cellText.row, cellText.col), cellText.text) << "cell " << cellText.row << ", " << cellText.col;
    }
    EXPECT_EQ(events.commits, expected.commits);
    if (expected.currentRow != 0) {
        EXPECT_EQ(grid().row(), expected.currentRow);
        EXPECT_EQ(grid().col(), expected.currentCol);
    }
    if (expected.focus != nullptr) {
        EXPECT_EQ(focusedControlName(), expected.focus);
    }
    if (expected.editorShown) {
        EXPECT_EQ(editorRect(), grid().cellRect(grid().row(), grid().col())) << "the editor lies over its cell";
    }
}

INSTANTIATE_TEST_SUITE_P(Shared, GridEditCases, ::testing::ValuesIn(corvane::test::gridEditCases()),
                         [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

}  // namespace
}  // namespace corvane::win32::test

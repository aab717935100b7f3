// What the shared cases leave to each window: the caret, the font, and the
// grid scrolling under an open edit.
#include "GridEditFixture.h"

#include <commctrl.h>

#include <utility>

namespace corvane::win32::test {
namespace {

class GridEditWindow : public GridEditFixture {
protected:
    void addRows(int count) {
        for (int i = 0; i < count; ++i) {
            addRow(u"T.PV", u"1", u"100");
        }
        SyntheticInput::settle();
    }
    // The row that shows only in part, below the rows that show in full.
    int lastRowInView() const {
        const auto perPage = static_cast<int>(SendMessageW(grid().handle(), LVM_GETCOUNTPERPAGE, 0, 0));
        return grid().topRow() + perPage;
    }
};

TEST_F(GridEditWindow, OpensWithTheCaretAfterTheTextInTheGridsFont) {
    doubleClickCell(1, 1);
    ASSERT_TRUE(editor().isShown());
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(editor().handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 4u);
    EXPECT_EQ(end, 4u);
    EXPECT_EQ(SendMessageW(editor().handle(), WM_GETFONT, 0, 0), SendMessageW(grid().handle(), WM_GETFONT, 0, 0));
    EXPECT_EQ(window().editColumn(), 1);
}

TEST_F(GridEditWindow, GridEditKeepsTheCellTextForControlCodesAndReplacesItOtherwise) {
    clickCell(1, 1);
    window().gridEdit(0);
    EXPECT_EQ(editor().text(), u"12.5");
    window().gridEdit(0xE9);
    EXPECT_EQ(editor().text(), u"\u00E9");
    window().gridEdit(-0x3000);  // a double-byte character as a negative code
    EXPECT_EQ(editor().text(), std::u16string(1, char16_t(0xD000)));
}

TEST_F(GridEditWindow, AClickOnAPartlyShownRowDoesNotScrollTheGridUnderTheEditor) {
    addRows(40);
    const int partly = lastRowInView();
    // On the part of the row that shows, above the horizontal scroll bar.
    const window::PixelRect cell = grid().cellRect(partly, 2);
    const window::PixelRect area = grid().dataArea();
    ASSERT_GT(cell.top + cell.height, area.top + area.height) << "the row shows in full";
    SyntheticInput::click(screenCentre(cell.left, cell.top, cell.width, area.top + area.height - cell.top));
    SyntheticInput::type("7");
    EXPECT_EQ(grid().topRow(), 1);
    EXPECT_EQ(grid().row(), partly);
    EXPECT_EQ(editorRect(), grid().cellRect(partly, 2));
    SyntheticInput::press(VK_RETURN);
    EXPECT_EQ(events.commits, (std::vector<corvane::test::Commit>{{partly, 2, u"7"}}));
}

TEST_F(GridEditWindow, UpOnTheTopVisibleRowScrollsTheGridUpByOneRow) {
    addRows(40);
    grid().setTopRow(20);
    clickCell(20, 1);
    SyntheticInput::type("5");
    SyntheticInput::press(VK_UP);
    EXPECT_EQ(events.commits, (std::vector<corvane::test::Commit>{{20, 1, u"5"}}));
    EXPECT_EQ(grid().row(), 19);
    EXPECT_EQ(grid().topRow(), 19);
}

TEST_F(GridEditWindow, TheWheelOverTheGridCommitsAnOpenEditAndLeavesTheFocusOnTheGrid) {
    addRows(40);
    clickCell(2, 1);
    SyntheticInput::type("7");
    SyntheticInput::wheel(cellCentre(3, 1), -3);
    const int top = grid().topRow();
    ASSERT_GT(top, 2);
    EXPECT_EQ(events.commits, (std::vector<corvane::test::Commit>{{2, 1, u"7"}}));
    EXPECT_EQ(cell(2, 1), u"7");
    EXPECT_EQ(grid().row(), top);
    EXPECT_FALSE(editor().isShown());
    EXPECT_EQ(focusedControlName(), "gridData");
}

TEST_F(GridEditWindow, AnEditLeftOpenFollowsItsCellWhenTheGridScrolls) {
    addRows(40);
    clickCell(5, 2);
    SyntheticInput::type("3");
    SyntheticInput::press(VK_TAB);
    grid().setTopRow(3);
    SyntheticInput::settle();
    ASSERT_TRUE(editor().isShown());
    EXPECT_EQ(editorRect(), grid().cellRect(5, 2));
    EXPECT_TRUE(events.commits.empty());
}

TEST_F(GridEditWindow, ClientCallsWhileAnEditIsOpenLeaveItOpen) {
    clickCell(2, 1);
    SyntheticInput::type("3");
    GridControl& control = console.grid();
    control.setTextMatrix(2, 1, u"-998");
    addRow(u"PIC12.PV", u"12.5", u"80");
    control.removeRow(4);
    console.setText(Control::labelNumSamples, u"61");
    SyntheticInput::settle();
    EXPECT_EQ(focusedControlName(), "txtEditInput");
    EXPECT_EQ(editor().text(), u"3");
    EXPECT_TRUE(events.commits.empty());

    SyntheticInput::press(VK_RETURN);
    EXPECT_EQ(events.commits, (std::vector<corvane::test::Commit>{{2, 1, u"3"}}));
}

TEST_F(GridEditWindow, AnEditWhoseRowsWereAllRemovedWritesNothingAndHandsNothingOn) {
    clickCell(1, 1);
    SyntheticInput::type("9");
    console.grid().setRows(1);
    const window::PixelRect area = grid().dataArea();
    SyntheticInput::click(screenCentre(area.left, area.top, area.width, area.height));
    EXPECT_FALSE(editor().isShown());
    EXPECT_EQ(cell(0, 1), u"Value");
    EXPECT_TRUE(events.commits.empty());
}

BOOL CALLBACK findTip(HWND window, LPARAM lParam) {
    auto* found = reinterpret_cast<std::pair<HWND, HWND>*>(lParam);
    wchar_t kind[32] = {};
    GetClassNameW(window, kind, 32);
    if (GetWindow(window, GW_OWNER) == found->first && lstrcmpiW(kind, TOOLTIPS_CLASSW) == 0) {
        found->second = window;
        return FALSE;
    }
    return TRUE;
}

TEST_F(GridEditWindow, ACellClipsItsTextAndShowsAllOfItAsTheTooltipUnderTheMouse) {
    console.grid().setTextMatrix(3, 1, u"1.234568E+08 and a good deal more");
    SyntheticInput::moveTo(cellCentre(3, 1));
    // A popup is owned by the top-level window of the control that made it.
    std::pair<HWND, HWND> tip{window().handle(), nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &findTip, reinterpret_cast<LPARAM>(&tip));
    ASSERT_NE(tip.second, nullptr);
    // What the tooltip asks of the grid when it shows.
    NMTTDISPINFOW asked{};
    asked.hdr.hwndFrom = tip.second;
    asked.hdr.code = TTN_GETDISPINFOW;
    SendMessageW(grid().handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&asked));
    ASSERT_NE(asked.lpszText, nullptr);
    EXPECT_STREQ(asked.lpszText, L"1.234568E+08 and a good deal more");

    SyntheticInput::moveTo(cellCentre(2, 0));
    SendMessageW(grid().handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&asked));
    EXPECT_STREQ(asked.lpszText, L"FIC7.PV");
}

using GridEditWithoutDataRows = WindowFixture;

TEST_F(GridEditWithoutDataRows, OpensNothing) {
    corvane::test::CommitRecorder events;
    console.setConsoleEvents(&events);
    SetFocus(window().gridData().handle());
    SyntheticInput::type("5");
    SyntheticInput::doubleClick(screenCentre(window().gridData().handle()));
    window().gridEdit(32);
    EXPECT_FALSE(window().txtEditInput().isShown());
    EXPECT_TRUE(events.commits.empty());
}

}  // namespace
}  // namespace corvane::win32::test

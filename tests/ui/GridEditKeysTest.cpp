#include "GridEditFixture.h"

#include <QInputMethodEvent>

namespace corvane::ui::test {
namespace {

using GridEditKeys = GridEditFixture;

TEST_F(GridEditKeys, DoubleClickEditsTheCellTextWithTheCaretAtItsEndOverTheCell) {
    doubleClickCell(1, 1);
    ASSERT_TRUE(editorShown());
    EXPECT_EQ(editor().text(), QStringLiteral("12.5"));
    EXPECT_EQ(editor().cursorPosition(), 4);
    EXPECT_FALSE(editor().hasSelectedText());
    EXPECT_TRUE(editor().hasFocus());
    EXPECT_EQ(editor().geometry(), grid().cellRect(1, 1).translated(grid().pos()));
    EXPECT_EQ(editor().font(), grid().font());
    EXPECT_EQ(window().editColumn(), 1);
}

TEST_F(GridEditKeys, EnterWritesTheTextAsTypedAndHandsItOn) {
    doubleClickCell(1, 1);
    type("0");
    press(Qt::Key_Return);
    EXPECT_FALSE(editorShown());
    EXPECT_EQ(cell(1, 1), QStringLiteral("12.50"));
    EXPECT_EQ(events.commits, (Commits{{1, 1, u"12.50"}}));
    EXPECT_EQ(focusedControlName(), QStringLiteral("gridData"));
}

TEST_F(GridEditKeys, ACharacterTypedOnTheGridReplacesTheCellText) {
    clickCell(2, 2);
    type("7");
    ASSERT_TRUE(editorShown());
    EXPECT_EQ(editor().text(), QStringLiteral("7"));
    EXPECT_EQ(editor().cursorPosition(), 1);
    press(Qt::Key_Enter);
    EXPECT_EQ(cell(2, 2), QStringLiteral("7"));
    EXPECT_EQ(events.commits, (Commits{{2, 2, u"7"}}));
}

TEST_F(GridEditKeys, ACharacterComposedByAnInputMethodReplacesTheCellText) {
    clickCell(1, 1);
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("\u00E9"));
    QApplication::sendEvent(QApplication::focusWidget(), &composed);
    ASSERT_TRUE(editorShown());
    EXPECT_EQ(editor().text(), QStringLiteral("\u00E9"));
}

TEST_F(GridEditKeys, EscapeBackspaceAndEnterOnTheGridEditTheCellText) {
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Backspace, Qt::Key_Return}) {
        clickCell(2, 1);
        press(key);
        ASSERT_TRUE(editorShown()) << QTest::toString(key);
        EXPECT_EQ(editor().text(), QStringLiteral("-999"));
        EXPECT_EQ(editor().cursorPosition(), 4);
        press(Qt::Key_Escape);
    }
    EXPECT_TRUE(events.commits.empty());
}

TEST_F(GridEditKeys, EscapeInTheEditorDiscardsTheEdit) {
    doubleClickCell(1, 2);
    type("55");
    press(Qt::Key_Escape);
    EXPECT_FALSE(editorShown());
    EXPECT_EQ(cell(1, 2), QStringLiteral("100"));
    EXPECT_TRUE(events.commits.empty());
    EXPECT_EQ(focusedControlName(), QStringLiteral("gridData"));
}

TEST_F(GridEditKeys, DownCommitsAndMovesToTheNextRowInTheSameColumn) {
    clickCell(1, 2);
    type("9");
    press(Qt::Key_Down);
    EXPECT_EQ(events.commits, (Commits{{1, 2, u"9"}}));
    EXPECT_EQ(grid().row(), 2);
    EXPECT_EQ(grid().col(), 2);
    EXPECT_FALSE(editorShown());
}

TEST_F(GridEditKeys, DownOnTheLastRowCommitsAndStays) {
    clickCell(3, 1);
    type("8");
    press(Qt::Key_Down);
    EXPECT_EQ(events.commits, (Commits{{3, 1, u"8"}}));
    EXPECT_EQ(grid().row(), 3);
}

TEST_F(GridEditKeys, UpOnTheFirstRowCommitsAndStays) {
    clickCell(1, 1);
    type("6");
    press(Qt::Key_Up);
    EXPECT_EQ(events.commits, (Commits{{1, 1, u"6"}}));
    EXPECT_EQ(grid().row(), 1);
}

TEST_F(GridEditKeys, UpOnTheTopVisibleRowScrollsTheGridUpByOneRow) {
    for (int i = 0; i < 40; ++i) {
        addRow(u"T.PV", u"1", u"100");
    }
    grid().setTopRow(20);
    clickCell(20, 1);
    type("5");
    press(Qt::Key_Up);
    EXPECT_EQ(events.commits, (Commits{{20, 1, u"5"}}));
    EXPECT_EQ(grid().row(), 19);
    EXPECT_EQ(grid().topRow(), 19);
}

TEST_F(GridEditKeys, ShiftDoesNotChangeWhatTheEditorKeysDo) {
    clickCell(1, 1);
    type("4");
    press(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(events.commits, (Commits{{1, 1, u"4"}}));
    EXPECT_EQ(grid().row(), 2);
}

TEST_F(GridEditKeys, OtherKeysEditTheTextAsInAnyTextBox) {
    doubleClickCell(1, 1);
    press(Qt::Key_Home);
    press(Qt::Key_Delete);
    press(Qt::Key_End);
    press(Qt::Key_Backspace);
    type("7");
    press(Qt::Key_Return);
    EXPECT_EQ(cell(1, 1), QStringLiteral("2.7"));
}

TEST_F(GridEditKeys, GridEditKeepsTheCellTextForControlCodesAndReplacesItOtherwise) {
    clickCell(1, 1);
    window().gridEdit(0);
    EXPECT_EQ(editor().text(), QStringLiteral("12.5"));
    window().gridEdit(0xE9);
    EXPECT_EQ(editor().text(), QStringLiteral("\u00E9"));
    window().gridEdit(-0x3000);  // a double-byte character as a negative code
    EXPECT_EQ(editor().text(), QString(QChar(0xD000)));
}

}  // namespace
}  // namespace corvane::ui::test

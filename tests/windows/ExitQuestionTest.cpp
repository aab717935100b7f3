#include "ExitChild.h"
#include "WindowFixture.h"
#include "win32/MessageBoxAnswerer.h"

namespace corvane::win32::test {
namespace {

using ExitQuestion = WindowFixture;

TEST_F(ExitQuestion, AsksModallyWithTheWindowCaptionAQuestionIconAndYesAsTheDefault) {
    MessageBoxAnswerer answerer(IDNO);
    EXPECT_FALSE(console.requestUnload());
    ASSERT_EQ(answerer.answered(), 1);
    const MessageBoxAnswerer::Box& box = answerer.lastBox();
    EXPECT_EQ(box.title, u"Corvane Emulator");
    EXPECT_EQ(box.text, u"Do you really want to exit the application?");
    EXPECT_TRUE(box.questionIcon);
    EXPECT_TRUE(box.yes);
    EXPECT_TRUE(box.no);
    EXPECT_FALSE(box.cancel);
    EXPECT_EQ(box.defaultButton, IDYES);
    EXPECT_TRUE(box.ownerDisabled);
}

TEST_F(ExitQuestion, NoKeepsTheWindowItsStateAndItsFocus) {
    console.appendText(Control::txtWriteLog, u"10:00:00: A = 1\r\n");
    SetFocus(control(L"txtPeriod"));
    MessageBoxAnswerer answerer(IDNO);
    EXPECT_FALSE(console.requestUnload());
    SyntheticInput::settle();
    EXPECT_TRUE(IsWindowVisible(window().handle()));
    EXPECT_EQ(console.text(Control::txtWriteLog), u"10:00:00: A = 1\r\n");
    EXPECT_EQ(focusedControlName(), "txtPeriod");
}

TEST_F(ExitQuestion, IsAskedAtTheCloseBoxAndWhenTheSystemEndsTheSession) {
    MessageBoxAnswerer answerer(IDNO);
    SendMessageW(window().handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(SendMessageW(window().handle(), WM_QUERYENDSESSION, 0, 0), FALSE);
    EXPECT_EQ(answerer.answered(), 2);
    EXPECT_TRUE(IsWindowVisible(window().handle()));
}

TEST(ExitQuestionBeforeTheWindowIsLoaded, IsNotAskedAndLoadsNothing) {
    Win32OperatorConsole console;
    MessageBoxAnswerer answerer(IDNO);
    EXPECT_TRUE(console.requestUnload());
    EXPECT_EQ(answerer.answered(), 0);
    EXPECT_FALSE(console.isMainWindowLoaded());
}

TEST(ExitQuestionAnsweredYes, EndsTheProcessAtOnceFromAnUnloadRequest) {
    const ChildOutcome outcome = runExitChild(kUnloadAnsweredYes);
    ASSERT_TRUE(outcome.ended) << outcome.output;
    EXPECT_EQ(outcome.exitCode, 0u);
    // The hook answered; neither the code after the request, nor a
    // destructor, nor an exit handler ran.
    EXPECT_EQ(outcome.output, "asking\ncorvanesim test hook: exit question answered Yes\n");
}

TEST(ExitQuestionAnsweredYes, EndsTheProcessAtOnceFromTheCloseBox) {
    const ChildOutcome outcome = runExitChild(kCloseBoxAnsweredYes);
    ASSERT_TRUE(outcome.ended) << outcome.output;
    EXPECT_EQ(outcome.exitCode, 0u);
    EXPECT_EQ(outcome.output, "asking\ncorvanesim test hook: exit question answered Yes\n");
}

}  // namespace
}  // namespace corvane::win32::test

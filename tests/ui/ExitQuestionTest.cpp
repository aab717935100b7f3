#include "ExitChildScenario.h"
#include "ExitQuestionAnswerer.h"
#include "OperatorWindowFixture.h"

#include <QProcess>

namespace corvane::ui::test {
namespace {

using ExitQuestion = OperatorWindowFixture;

TEST_F(ExitQuestion, AsksWithTheWindowCaptionAQuestionIconAndYesAsTheDefault) {
    ExitQuestionAnswerer answerer(QMessageBox::No);
    console.requestUnload();
    ASSERT_EQ(answerer.answered(), 1);
    const auto& box = answerer.lastBox();
    EXPECT_EQ(box.title, QStringLiteral("Corvane Emulator"));
    EXPECT_EQ(box.text, QStringLiteral("Do you really want to exit the application?"));
    EXPECT_EQ(box.icon, QMessageBox::Question);
    EXPECT_EQ(box.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.defaultButton, QMessageBox::Yes);
    EXPECT_TRUE(box.modal);
}

TEST_F(ExitQuestion, NoToAnUnloadRequestKeepsTheWindowAndItsState) {
    console.appendText(Control::txtWriteLog, u"10:00:00: A = 1\r\n");
    ExitQuestionAnswerer answerer(QMessageBox::No);
    EXPECT_FALSE(console.requestUnload());
    EXPECT_EQ(answerer.answered(), 1);
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(console.text(Control::txtWriteLog), u"10:00:00: A = 1\r\n");
}

TEST_F(ExitQuestion, NoAtTheCloseBoxKeepsTheWindow) {
    ExitQuestionAnswerer answerer(QMessageBox::No);
    EXPECT_FALSE(window().close());
    EXPECT_EQ(answerer.answered(), 1);
    EXPECT_TRUE(window().isVisible());
}

TEST_F(ExitQuestion, IsAskedAgainOnEveryRequest) {
    ExitQuestionAnswerer answerer(QMessageBox::No);
    console.requestUnload();
    window().close();
    console.requestUnload();
    EXPECT_EQ(answerer.answered(), 3);
}

TEST(ExitQuestionBeforeTheWindowIsLoaded, IsNotAskedAndLoadsNothing) {
    QtOperatorConsole console;
    ExitQuestionAnswerer answerer(QMessageBox::No);
    EXPECT_TRUE(console.requestUnload());
    EXPECT_EQ(answerer.answered(), 0);
    EXPECT_FALSE(console.isMainWindowLoaded());
}

struct ChildOutcome {
    QProcess::ExitStatus status;
    int code;
    QString output;
};

ChildOutcome runChild(const QString& scenario) {
    QProcess child;
    child.setProcessChannelMode(QProcess::SeparateChannels);
    child.start(QCoreApplication::applicationFilePath(), {scenario});
    EXPECT_TRUE(child.waitForFinished(60000)) << "the child did not end";
    return {child.exitStatus(), child.exitCode(), QString::fromUtf8(child.readAllStandardOutput())};
}

TEST(ExitQuestionAnsweredYes, EndsTheProcessAtOnceFromAnUnloadRequest) {
    const ChildOutcome outcome = runChild(kUnloadAnsweredYes);
    EXPECT_EQ(outcome.status, QProcess::NormalExit);
    EXPECT_EQ(outcome.code, 0);
    // Neither the code after the request, nor a destructor, nor an exit
    // handler ran.
    EXPECT_EQ(outcome.output, QStringLiteral("asking\n"));
}

TEST(ExitQuestionAnsweredYes, EndsTheProcessAtOnceFromTheCloseBox) {
    const ChildOutcome outcome = runChild(kCloseBoxAnsweredYes);
    EXPECT_EQ(outcome.status, QProcess::NormalExit);
    EXPECT_EQ(outcome.code, 0);
    EXPECT_EQ(outcome.output, QStringLiteral("asking\n"));
}

}  // namespace
}  // namespace corvane::ui::test

#include "ExitChildScenario.h"

#include "ExitQuestionAnswerer.h"
#include "ui/MainWindow.h"
#include "ui/QtOperatorConsole.h"

#include <QTest>

#include <cstdio>
#include <cstdlib>

namespace corvane::ui::test {
namespace {

void say(const char* line) {
    std::fputs(line, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

struct TerminationWitness {
    ~TerminationWitness() { say("destructor ran"); }
};

}  // namespace

std::optional<QString> exitChildScenario(const QStringList& arguments) {
    for (const QString& argument : arguments) {
        if (argument == kUnloadAnsweredYes || argument == kCloseBoxAnsweredYes) {
            return argument;
        }
    }
    return std::nullopt;
}

int runExitChildScenario(const QString& scenario) {
    std::atexit([] { say("exit handler ran"); });
    TerminationWitness witness;
    QtOperatorConsole console;
    console.showMainWindow();
    if (!QTest::qWaitForWindowExposed(&console.mainWindow())) {
        say("window not shown");
        return 2;
    }
    ExitQuestionAnswerer answerer(QMessageBox::Yes);
    say("asking");
    if (scenario == kUnloadAnsweredYes) {
        console.requestUnload();
    } else {
        console.mainWindow().close();
    }
    say("still running");
    return 3;
}

}  // namespace corvane::ui::test

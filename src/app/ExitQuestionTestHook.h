#pragma once

#include <QMessageBox>
#include <QObject>

namespace corvane::app {

// TEST HOOK, for the end-to-end tests only: when CORVANESIM_TEST_EXIT_ANSWER
// is "yes" or "no" (set only by the tests' bus service files), the exit
// question is answered so, the moment it shows, and a line on standard error
// tells the test that it was. An operator never sets it; without it nothing
// is installed.
class ExitQuestionTestHook final : public QObject {
public:
    static constexpr char kVariable[] = "CORVANESIM_TEST_EXIT_ANSWER";

    // Installs the hook on the application when the variable asks for it.
    static void installFromEnvironment();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit ExitQuestionTestHook(QMessageBox::StandardButton answer);

    QMessageBox::StandardButton answer_;
};

}  // namespace corvane::app

#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace corvane::ui::test {

// The exit question answered Yes ends the process, so those cases run in a
// child: the test binary started again with one of these arguments.
inline const QString kUnloadAnsweredYes = QStringLiteral("--exit-child=unload-yes");
inline const QString kCloseBoxAnsweredYes = QStringLiteral("--exit-child=close-box-yes");

// The scenario named on the command line, if any.
std::optional<QString> exitChildScenario(const QStringList& arguments);

// Runs the scenario and returns the exit code to use if the process is still
// alive afterwards. Prints "asking" just before the question; any destructor
// or exit handler that runs afterwards prints a line of its own.
int runExitChildScenario(const QString& scenario);

}  // namespace corvane::ui::test

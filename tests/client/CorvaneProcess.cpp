#include "CorvaneProcess.h"

#include <QProcess>

namespace corvane::client::test {

Outcome runCorvane(const QStringList& arguments, const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(CORVANE_EXECUTABLE), arguments);
    process.waitForFinished(60000);
    Outcome run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

}  // namespace corvane::client::test

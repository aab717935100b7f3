#include "ServerApplication.h"

#include "remoting/common/WireText.h"

#include <QCoreApplication>
#include <QDBusConnection>

#include <cstdio>
#include <cstdlib>

namespace corvane::app {

namespace {

[[noreturn]] void endOnBusLoss()
{
    // Like the operator's Yes: the process ends at once, and no object's
    // termination runs (a SimServer's would ask the operator again).
    std::fputs("corvanesim: lost the connection to the session bus; ending\n", stderr);
    std::fflush(stderr);
    std::quick_exit(0);
}

}  // namespace

ServerApplication::ServerApplication()
    : dataLayer_(jet::TagReader(QCoreApplication::applicationDirPath().toStdString() + "/" + jet::kTagReaderProgram)),
      tagStore_(dataLayer_, remoting::toU16(QCoreApplication::applicationDirPath()), regional_),
      process_(console_, tagStore_, clock_, regional_),
      gridEdits_(process_),
      bus_(process_, QDBusConnection::sessionBus()),
      busLoss_(QDBusConnection::sessionBus(), endOnBusLoss)
{
    QCoreApplication::instance()->installEventFilter(&paintThrottle_);
    console_.setConsoleEvents(&gridEdits_);
}

bool ServerApplication::start(QString& error)
{
    // Published before the name is claimed, so that it is there for the first client.
    diagnostics_ = DiagnosticsTestHook::installFromEnvironment(bus_, QDBusConnection::sessionBus());
    return bus_.start(error);
}

}  // namespace corvane::app

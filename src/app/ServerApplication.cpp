#include "ServerApplication.h"

#include "ExitQuestionTestHook.h"

#include "remoting/common/WireText.h"

#include <QCoreApplication>

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

// An exit question that no one is there to see leaves a line on standard
// error, where a CI job's log shows why the server ended, served on or waits.
void announceExitAnswer(bool yes, ui::ExitQuestionAnswers::Kind kind)
{
    if (kind == ui::ExitQuestionAnswers::Kind::Standing)
        std::fprintf(stderr, "corvanesim test hook: exit question answered %s\n", yes ? "Yes" : "No");
    else
        std::fprintf(stderr, "corvanesim: exit question answered %s, as asked on the operator interface\n",
                     yes ? "Yes" : "No");
    std::fflush(stderr);
}

void announceExitQuestionWaiting()
{
    std::fputs("corvanesim: the exit question waits for an answer (corvane operator answer-exit yes|no)\n", stderr);
    std::fflush(stderr);
}

}  // namespace

ServerApplication::ServerApplication()
    : dataLayer_(jet::TagReader(QCoreApplication::applicationDirPath().toStdString() + "/" + jet::kTagReaderProgram)),
      tagStore_(dataLayer_, remoting::toU16(QCoreApplication::applicationDirPath()), regional_),
      operatorActions_(console_),
      process_(console_, tagStore_, clock_, regional_),
      gridEdits_(process_),
      connection_(remoting::BusConnection::toSessionBus(connectionError_))
{
    QCoreApplication::instance()->installEventFilter(&paintThrottle_);
    console_.setConsoleEvents(&gridEdits_);
    operatorActions_.exitQuestionAnswers().setAnnounce(announceExitAnswer);
    operatorActions_.exitQuestionAnswers().setWaiting(announceExitQuestionWaiting);
    ExitQuestionTestHook::installFromEnvironment(operatorActions_.exitQuestionAnswers());
    if (!connection_) return;
    connection_->onLoss(endOnBusLoss);
    bus_ = std::make_unique<remoting::BusServer>(process_, *connection_);
    bus_->serveOperator(operatorActions_);
}

bool ServerApplication::start(QString& error)
{
    if (!bus_) {
        error = connectionError_;
        return false;
    }
    // Published before the name is claimed, so that it is there for the first client.
    diagnostics_ = DiagnosticsTestHook::installFromEnvironment(*bus_, operatorActions_);
    return bus_->start(error);
}

}  // namespace corvane::app

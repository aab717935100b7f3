#include "ExitQuestionTestHook.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QPointer>

#include <cstdio>

namespace corvane::app {

ExitQuestionTestHook::ExitQuestionTestHook(QMessageBox::StandardButton answer)
    : QObject(QCoreApplication::instance()), answer_(answer)
{
}

void ExitQuestionTestHook::installFromEnvironment()
{
    const QByteArray value = qgetenv(kVariable).toLower();
    if (value != "yes" && value != "no") return;
    auto* hook = new ExitQuestionTestHook(value == "yes" ? QMessageBox::Yes : QMessageBox::No);
    QCoreApplication::instance()->installEventFilter(hook);
}

bool ExitQuestionTestHook::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched->objectName() == QLatin1StringView("exitQuestion")) {
        if (auto* box = qobject_cast<QMessageBox*>(watched)) {
            const bool yes = answer_ == QMessageBox::Yes;
            std::fprintf(stderr, "corvanesim test hook: exit question answered %s\n", yes ? "Yes" : "No");
            std::fflush(stderr);
            // Clicked once the box's own event loop runs.
            QMetaObject::invokeMethod(
                box,
                [box = QPointer<QMessageBox>(box), answer = answer_] {
                    if (box) box->button(answer)->click();
                },
                Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace corvane::app

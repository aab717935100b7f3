#include "ui/ExitQuestion.h"

#include <QMessageBox>
#include <QWidget>

#include <cstdlib>

namespace corvane::ui {

bool confirmExitOrEndProcess(QWidget& mainWindow) {
    QMessageBox question(QMessageBox::Question, mainWindow.windowTitle(),
                         QStringLiteral("Do you really want to exit the application?"),
                         QMessageBox::Yes | QMessageBox::No, &mainWindow);
    question.setObjectName(QStringLiteral("exitQuestion"));
    question.setDefaultButton(QMessageBox::Yes);
    if (question.exec() != QMessageBox::Yes) {
        return false;
    }
    // Clients may still hold objects; their server simply goes away, without
    // running any object's termination code (quick_exit runs no destructors,
    // only the handlers that tidy files away).
    std::quick_exit(0);
}

}  // namespace corvane::ui

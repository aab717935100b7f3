#include "ExitQuestionAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>

namespace corvane::ui::test {

ExitQuestionAnswerer::ExitQuestionAnswerer(QMessageBox::StandardButton answer) : answer_(answer) {
    connect(&poll_, &QTimer::timeout, this, &ExitQuestionAnswerer::answerOpenBox);
    poll_.start(10);
}

void ExitQuestionAnswerer::answerOpenBox() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) {
        return;
    }
    lastBox_.title = box->windowTitle();
    lastBox_.text = box->text();
    lastBox_.icon = box->icon();
    lastBox_.buttons = box->standardButtons();
    QPushButton* defaultButton = box->defaultButton();
    lastBox_.defaultButton = defaultButton != nullptr ? box->standardButton(defaultButton) : QMessageBox::NoButton;
    lastBox_.modal = box->isModal();
    ++answered_;
    box->button(answer_)->click();
}

}  // namespace corvane::ui::test

#include "ui/ExitQuestionAnswers.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>

#include <utility>
#include <vector>

namespace corvane::ui {

ExitQuestionAnswers::ExitQuestionAnswers() {
    QCoreApplication::instance()->installEventFilter(this);
}

ExitQuestionAnswers::~ExitQuestionAnswers() {
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeEventFilter(this);
    }
}

void ExitQuestionAnswers::answerOnce(bool yes) {
    if (Shown* open = openQuestion()) {
        answer(*open, yes, Kind::Once);
    } else {
        once_ = yes;
    }
}

void ExitQuestionAnswers::answerAlways(bool yes) {
    standing_ = yes;
    if (Shown* open = openQuestion()) {
        answer(*open, yes, Kind::Standing);
    }
}

bool ExitQuestionAnswers::questionOpen() const {
    return openQuestion() != nullptr;
}

ExitQuestionAnswers::Shown* ExitQuestionAnswers::openQuestion() const {
    // Boxes that have closed since are gone or hidden.
    std::erase_if(shown_, [](const Shown& shown) { return shown.box.isNull() || shown.box->isHidden(); });
    for (auto question = shown_.rbegin(); question != shown_.rend(); ++question) {
        if (!question->answered) {
            return &*question;
        }
    }
    return nullptr;
}

bool ExitQuestionAnswers::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->objectName() == QLatin1StringView("exitQuestion")) {
        if (auto* box = qobject_cast<QMessageBox*>(watched)) {
            shown_.push_back({box});
            if (const std::optional<bool> once = std::exchange(once_, std::nullopt)) {
                answer(shown_.back(), *once, Kind::Once);
            } else if (standing_) {
                answer(shown_.back(), *standing_, Kind::Standing);
            } else if (waiting_) {
                waiting_();
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void ExitQuestionAnswers::answer(Shown& question, bool yes, Kind kind) {
    question.answered = true;
    if (announce_) {
        announce_(yes, kind);
    }
    // Clicked once the box's own event loop runs, as the operator's click would be.
    const QMessageBox::StandardButton button = yes ? QMessageBox::Yes : QMessageBox::No;
    QMetaObject::invokeMethod(
        question.box.data(),
        [box = question.box, button] {
            if (box) {
                box->button(button)->click();
            }
        },
        Qt::QueuedConnection);
}

}  // namespace corvane::ui

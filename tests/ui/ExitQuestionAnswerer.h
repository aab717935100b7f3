#pragma once

#include <QMessageBox>
#include <QObject>
#include <QTimer>

namespace corvane::ui::test {

// Answers every modal message box that comes up while it lives, and records
// how the last one looked. A single-shot timer could fire before the box is
// shown, so it keeps looking on a short repeating timer.
class ExitQuestionAnswerer final : public QObject {
public:
    struct SeenBox {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        bool modal = false;
    };

    explicit ExitQuestionAnswerer(QMessageBox::StandardButton answer);

    int answered() const { return answered_; }
    const SeenBox& lastBox() const { return lastBox_; }

private:
    void answerOpenBox();

    QMessageBox::StandardButton answer_;
    QTimer poll_;
    int answered_ = 0;
    SeenBox lastBox_;
};

}  // namespace corvane::ui::test

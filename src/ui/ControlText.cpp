#include "ui/ControlText.h"

#include "ui/MultiLineText.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <stdexcept>

namespace corvane::ui {

QString controlText(const QWidget& control) {
    if (const auto* label = qobject_cast<const QLabel*>(&control)) {
        return label->text();
    }
    if (const auto* line = qobject_cast<const QLineEdit*>(&control)) {
        return line->text();
    }
    if (const auto* lines = qobject_cast<const QPlainTextEdit*>(&control)) {
        return multiLineText(*lines);
    }
    throw std::invalid_argument("control without text");
}

void setControlText(QWidget& control, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(&control)) {
        label->setText(text);
    } else if (auto* line = qobject_cast<QLineEdit*>(&control)) {
        line->setText(text);
    } else if (auto* lines = qobject_cast<QPlainTextEdit*>(&control)) {
        lines->setPlainText(text);
    } else {
        throw std::invalid_argument("control without text");
    }
}

void appendControlText(QWidget& control, const QString& more) {
    if (auto* lines = qobject_cast<QPlainTextEdit*>(&control)) {
        appendMultiLineText(*lines, more);
    } else {
        setControlText(control, controlText(control) + more);
    }
}

}  // namespace corvane::ui

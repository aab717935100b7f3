#pragma once

#include <QString>

class QWidget;

namespace corvane::ui {

// The text of a label, a single-line or a multi-line text box, whichever
// kind `control` is.
QString controlText(const QWidget& control);
void setControlText(QWidget& control, const QString& text);
void appendControlText(QWidget& control, const QString& more);

}  // namespace corvane::ui

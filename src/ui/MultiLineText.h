#pragma once

#include <QString>

class QPlainTextEdit;

namespace corvane::ui {

// Multi-line boxes hold their line breaks as CR LF, so text read back is the
// text written, whichever line break the object model appended.
QString multiLineText(const QPlainTextEdit& box);

// Appends at the end through a cursor: the work grows with the appended text,
// not with what the box already holds.
void appendMultiLineText(QPlainTextEdit& box, const QString& more);

}  // namespace corvane::ui

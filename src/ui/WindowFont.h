#pragma once

#include <QFont>

namespace corvane::ui {

// The windows' dialog font: the system's default sans serif at 8.25 points.
QFont dialogFont();

// `font` narrowed, down to condensed, until `text` fits into `width` pixels;
// for fixed captions in boxes too small for the face at hand.
QFont fontFitting(const QFont& font, const QString& text, int width);

// The "Fetch" indicator's font: the same face, bold, at 9.75 points.
QFont fetchIndicatorFont();

}  // namespace corvane::ui

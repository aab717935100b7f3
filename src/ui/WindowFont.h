#pragma once

#include <QFont>

namespace corvane::ui {

// The windows' dialog font: the system's default sans serif at 8.25 points.
QFont dialogFont();

// The "Fetch" indicator's font: the same face, bold, at 9.75 points.
QFont fetchIndicatorFont();

}  // namespace corvane::ui

#include "ui/WindowFont.h"

#include <QFontDatabase>

namespace corvane::ui {

QFont dialogFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    // The captions were measured for a narrow face; at full width the usual
    // sans serif faces overrun their fixed label boxes.
    font.setStretch(QFont::SemiCondensed);
    return font;
}

QFont fetchIndicatorFont() {
    QFont font = dialogFont();
    font.setPointSizeF(9.75);
    font.setBold(true);
    return font;
}

}  // namespace corvane::ui

#include "ui/WindowFont.h"

#include <QFontDatabase>
#include <QFontMetrics>

#include <algorithm>

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

QFont fontFitting(const QFont& font, const QString& text, int width) {
    QFont fitted = font;
    int stretch = font.stretch() > 0 ? font.stretch() : int(QFont::Unstretched);
    while (stretch > QFont::Condensed && QFontMetrics(fitted).horizontalAdvance(text) > width) {
        stretch = std::max(stretch - 4, int(QFont::Condensed));
        fitted.setStretch(stretch);
    }
    return fitted;
}

QFont fetchIndicatorFont() {
    QFont font = dialogFont();
    font.setPointSizeF(9.75);
    font.setBold(true);
    return font;
}

}  // namespace corvane::ui

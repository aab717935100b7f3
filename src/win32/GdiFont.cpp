#include "win32/GdiFont.h"

#include <cmath>

namespace corvane::win32 {

GdiFont::GdiFont(const wchar_t* face, double points, bool bold) {
    // Negative: the character height, at the 96 dots per inch of the layout.
    const int height = -static_cast<int>(std::lround(points * 96.0 / 72.0));
    font_ = CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
}

GdiFont::~GdiFont() {
    if (font_ != nullptr) {
        DeleteObject(font_);
    }
}

const GdiFont& GdiFont::dialog() {
    static const GdiFont font(L"MS Sans Serif", 8.25, false);
    return font;
}

const GdiFont& GdiFont::fetchIndicator() {
    static const GdiFont font(L"MS Sans Serif", 9.75, true);
    return font;
}

}  // namespace corvane::win32

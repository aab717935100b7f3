#pragma once

#include <windows.h>

namespace corvane::win32 {

// An owned font handle.
class GdiFont final {
public:
    GdiFont(const wchar_t* face, double points, bool bold);
    ~GdiFont();
    GdiFont(const GdiFont&) = delete;
    GdiFont& operator=(const GdiFont&) = delete;

    HFONT handle() const { return font_; }

    // The windows' dialog font, MS Sans Serif 8.25 pt.
    static const GdiFont& dialog();
    // The "Fetch" indicator's: the same face, bold, 9.75 pt.
    static const GdiFont& fetchIndicator();

private:
    HFONT font_;
};

}  // namespace corvane::win32

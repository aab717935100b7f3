#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace corvane::win32 {

// The text of a label, a button or a text box.
std::u16string windowText(HWND window);
void setWindowText(HWND window, std::u16string_view text);

// Multi-line boxes break lines at CR LF only: a lone LF becomes CR LF on the
// way in, so text read back is the text written whichever break was used.
void setMultiLineText(HWND box, std::u16string_view text);
// Appends at the end of the box: the work grows with the appended text, not
// with what the box already holds.
void appendMultiLineText(HWND box, std::u16string_view more);

}  // namespace corvane::win32

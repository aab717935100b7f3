#pragma once

#include <windows.h>

namespace corvane::win32 {

// The window layout is given in twips; the windows are drawn at 96 dots per
// inch, where 15 twips make a pixel.
inline constexpr int kTwipsPerPixel = 15;

constexpr int twipsToPixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// left, top, right, bottom in pixels from left, top, width, height in twips.
inline RECT twipsRect(int left, int top, int width, int height) {
    const int x = twipsToPixels(left);
    const int y = twipsToPixels(top);
    return {x, y, x + twipsToPixels(width), y + twipsToPixels(height)};
}

}  // namespace corvane::win32

#pragma once

#include <windows.h>

namespace corvane::win32::test {

// The operator's mouse and keyboard, through the system's input queue
// (SendInput) as real devices deliver them, each action handled to the end
// before the call returns.
class SyntheticInput final {
public:
    // At a point in screen coordinates.
    static void moveTo(POINT at);
    static void click(POINT at);
    static void doubleClick(POINT at);
    // Notches of the wheel: positive away from the operator (scrolls up).
    static void wheel(POINT at, int notches);

    static void press(WORD key, bool shift = false);
    // Types the text as key strokes of the keyboard layout.
    static void type(const char* text);

    // Handles every message already waiting, and whatever handling them
    // brings, until the queue is empty.
    static void settle();
};

}  // namespace corvane::win32::test

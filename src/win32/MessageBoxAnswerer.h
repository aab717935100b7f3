#pragma once

#include <windows.h>

#include <string>

namespace corvane::win32 {

// While it lives, answers every message box this thread shows with `button`
// (IDYES, IDNO, ...) the moment the box is up, and records what the box was.
// For tests and the test hook of the exit question; one at a time.
class MessageBoxAnswerer final {
public:
    struct Box {
        std::u16string title;
        std::u16string text;
        bool yes = false;
        bool no = false;
        bool cancel = false;
        int defaultButton = 0;
        bool questionIcon = false;
        bool ownerDisabled = false;  // modal: its owner takes no input meanwhile
    };

    explicit MessageBoxAnswerer(int button);
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    int answered() const { return answered_; }
    const Box& lastBox() const { return last_; }

private:
    static LRESULT CALLBACK onWindowEvent(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK onMessageTaken(int code, WPARAM wParam, LPARAM lParam);
    void record(HWND box);

    int button_;
    HHOOK windowHook_;
    HHOOK messageHook_;
    HWND pending_ = nullptr;  // a box whose answer is on its way
    int answered_ = 0;
    Box last_;
};

}  // namespace corvane::win32

#pragma once

#include "WindowsHeaders.h"

#include "automation/Object.h"

#include <vector>

namespace corvane::com {

// Lets go of the model's objects after the COM call that dropped their last
// client reference has returned. A last release can run for as long as the
// operator likes (a SimServer's asks whether to exit, in a modal box) or end
// the process at once, and the client whose Release caused it must not be
// left waiting meanwhile. The releases run from the thread's message loop,
// in the order they came.
class ReleaseQueue {
public:
    ReleaseQueue();
    ~ReleaseQueue();
    ReleaseQueue(const ReleaseQueue&) = delete;
    ReleaseQueue& operator=(const ReleaseQueue&) = delete;

    void add(automation::Ref<automation::Object> object);
    // Runs the releases waiting now (the message loop's handler, and tests).
    void releaseWaiting();
    bool empty() const { return waiting_.empty(); }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;  // message-only, to be called back by the loop
    std::vector<automation::Ref<automation::Object>> waiting_;
    bool posted_ = false;
};

}  // namespace corvane::com

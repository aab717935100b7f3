#pragma once

#include <windows.h>

namespace corvane::win32 {

// What a window wants to do with a message before it is translated and
// dispatched (Tab moving the focus, say); true when it took the message.
class MessageFilter {
public:
    virtual ~MessageFilter() = default;
    virtual bool preTranslate(const MSG& message) = 0;
};

// The thread's message handling: every message goes past the filter first.
class MessagePump final {
public:
    static void setFilter(MessageFilter* filter);

    // Translates and dispatches one message (unless the filter takes it).
    static void handle(const MSG& message);
    // Until WM_QUIT; returns its exit code.
    static int run();
    // Every message already waiting, input included.
    static void runWaiting();
    // The posted, sent and paint messages already waiting, but no input: a
    // key typed after the one being handled must be handled after it.
    static void runPendingEvents();
};

}  // namespace corvane::win32

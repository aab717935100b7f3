#include "win32/MessagePump.h"

namespace corvane::win32 {

namespace {

MessageFilter* filter_ = nullptr;

void runWhile(UINT which) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | which)) {
        if (message.message == WM_QUIT) {
            // Left for the loop that waits for it.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        MessagePump::handle(message);
    }
}

}  // namespace

void MessagePump::setFilter(MessageFilter* filter) {
    filter_ = filter;
}

void MessagePump::handle(const MSG& message) {
    if (filter_ != nullptr && filter_->preTranslate(message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

int MessagePump::run() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        handle(message);
    }
    return static_cast<int>(message.wParam);
}

void MessagePump::runWaiting() {
    runWhile(0);
}

void MessagePump::runPendingEvents() {
    runWhile(PM_QS_POSTMESSAGE | PM_QS_PAINT | PM_QS_SENDMESSAGE);
}

}  // namespace corvane::win32

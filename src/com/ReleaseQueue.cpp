#include "ReleaseQueue.h"

namespace corvane::com {

namespace {

constexpr UINT kReleaseWaiting = WM_APP + 1;
constexpr wchar_t kWindowClass[] = L"CorvaneSim.ReleaseQueue";

void registerClassOnce(WNDPROC procedure)
{
    static const bool registered = [procedure] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kWindowClass;
        return RegisterClassW(&windowClass) != 0;
    }();
    (void)registered;
}

}  // namespace

ReleaseQueue::ReleaseQueue()
{
    registerClassOnce(&ReleaseQueue::windowProc);
    window_ = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), this);
}

ReleaseQueue::~ReleaseQueue()
{
    if (window_) DestroyWindow(window_);
}

void ReleaseQueue::add(automation::Ref<automation::Object> object)
{
    waiting_.push_back(std::move(object));
    if (posted_) return;
    // Without a window (none could be made) the release is at least not lost.
    if (!window_ || !PostMessageW(window_, kReleaseWaiting, 0, 0)) {
        releaseWaiting();
        return;
    }
    posted_ = true;
}

void ReleaseQueue::releaseWaiting()
{
    posted_ = false;
    // Each release may run a nested message loop (the exit question) and
    // queue further releases meanwhile: those wait for their own turn.
    std::vector<automation::Ref<automation::Object>> batch;
    batch.swap(waiting_);
    for (auto& object : batch) object.reset();
}

LRESULT CALLBACK ReleaseQueue::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (message == kReleaseWaiting) {
        if (auto* queue = reinterpret_cast<ReleaseQueue*>(GetWindowLongPtrW(window, GWLP_USERDATA)))
            queue->releaseWaiting();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace corvane::com

#include "win32/MessageBoxAnswerer.h"

#include "win32/WindowText.h"

namespace corvane::win32 {

namespace {

MessageBoxAnswerer* active_ = nullptr;

// The message box's text and icon controls.
constexpr int kTextControl = 0xFFFF;
constexpr int kIconControl = 0x0440;

bool isDialog(HWND window) {
    wchar_t kind[8] = {};
    GetClassNameW(window, kind, 8);
    return std::wstring_view(kind) == L"#32770";
}

}  // namespace

MessageBoxAnswerer::MessageBoxAnswerer(int button)
    : button_(button),
      windowHook_(SetWindowsHookExW(WH_CBT, &MessageBoxAnswerer::onWindowEvent, nullptr, GetCurrentThreadId())),
      messageHook_(SetWindowsHookExW(WH_GETMESSAGE, &MessageBoxAnswerer::onMessageTaken, nullptr, GetCurrentThreadId())) {
    active_ = this;
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    active_ = nullptr;
    UnhookWindowsHookEx(messageHook_);
    UnhookWindowsHookEx(windowHook_);
}

LRESULT CALLBACK MessageBoxAnswerer::onWindowEvent(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && active_ != nullptr && active_->pending_ == nullptr &&
        isDialog(reinterpret_cast<HWND>(wParam))) {
        // Answered once the box's own message loop runs, when it is all set up.
        HWND box = reinterpret_cast<HWND>(wParam);
        active_->pending_ = box;
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(active_->button_, BN_CLICKED), 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MessageBoxAnswerer::onMessageTaken(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && active_ != nullptr && message->hwnd == active_->pending_ &&
        message->message == WM_COMMAND) {
        active_->pending_ = nullptr;
        active_->record(message->hwnd);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void MessageBoxAnswerer::record(HWND box) {
    Box seen;
    seen.title = windowText(box);
    seen.text = windowText(GetDlgItem(box, kTextControl));
    seen.yes = GetDlgItem(box, IDYES) != nullptr;
    seen.no = GetDlgItem(box, IDNO) != nullptr;
    seen.cancel = GetDlgItem(box, IDCANCEL) != nullptr;
    // The button that Enter presses: the one with the focus, else the box's default.
    HWND focus = GetFocus();
    if (focus != nullptr && GetParent(focus) == box) {
        seen.defaultButton = GetDlgCtrlID(focus);
    } else {
        const auto defaultId = static_cast<DWORD>(SendMessageW(box, DM_GETDEFID, 0, 0));
        seen.defaultButton = HIWORD(defaultId) == DC_HASDEFID ? LOWORD(defaultId) : 0;
    }
    const auto icon = reinterpret_cast<HICON>(SendDlgItemMessageW(box, kIconControl, STM_GETICON, 0, 0));
    seen.questionIcon = icon != nullptr && icon == LoadIconW(nullptr, IDI_QUESTION);
    HWND owner = GetWindow(box, GW_OWNER);
    seen.ownerDisabled = owner != nullptr && !IsWindowEnabled(owner);
    last_ = seen;
    ++answered_;
}

}  // namespace corvane::win32

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
    : button_(button), hook_(SetWindowsHookExW(WH_CBT, &MessageBoxAnswerer::onWindowEvent, nullptr, GetCurrentThreadId())) {
    active_ = this;
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    active_ = nullptr;
    UnhookWindowsHookEx(hook_);
}

LRESULT CALLBACK MessageBoxAnswerer::onWindowEvent(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && active_ != nullptr && isDialog(reinterpret_cast<HWND>(wParam))) {
        active_->answer(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void MessageBoxAnswerer::answer(HWND box) {
    Box seen;
    seen.title = windowText(box);
    seen.text = windowText(GetDlgItem(box, kTextControl));
    seen.yes = GetDlgItem(box, IDYES) != nullptr;
    seen.no = GetDlgItem(box, IDNO) != nullptr;
    seen.cancel = GetDlgItem(box, IDCANCEL) != nullptr;
    const auto defaultId = static_cast<DWORD>(SendMessageW(box, DM_GETDEFID, 0, 0));
    seen.defaultButton = HIWORD(defaultId) == DC_HASDEFID ? LOWORD(defaultId) : 0;
    const auto icon = reinterpret_cast<HICON>(SendDlgItemMessageW(box, kIconControl, STM_GETICON, 0, 0));
    seen.questionIcon = icon != nullptr && icon == LoadIconW(nullptr, IDI_QUESTION);
    HWND owner = GetWindow(box, GW_OWNER);
    seen.ownerDisabled = owner != nullptr && !IsWindowEnabled(owner);
    last_ = seen;
    ++answered_;
    // Taken up by the box's own message loop, once it runs.
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button_)));
}

}  // namespace corvane::win32

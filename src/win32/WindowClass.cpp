#include "win32/WindowClass.h"

namespace corvane::win32 {

WindowClass::WindowClass(const wchar_t* name, WNDPROC procedure) : name_(name) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = name;
    RegisterClassExW(&windowClass);
}

WindowClass::~WindowClass() {
    UnregisterClassW(name_, GetModuleHandleW(nullptr));
}

}  // namespace corvane::win32

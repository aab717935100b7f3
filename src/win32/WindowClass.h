#pragma once

#include <windows.h>

namespace corvane::win32 {

// A window class of this program, registered for as long as the object lives.
class WindowClass final {
public:
    WindowClass(const wchar_t* name, WNDPROC procedure);
    ~WindowClass();
    WindowClass(const WindowClass&) = delete;
    WindowClass& operator=(const WindowClass&) = delete;

private:
    const wchar_t* name_;
};

}  // namespace corvane::win32

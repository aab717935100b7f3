#pragma once

#include <windows.h>

namespace corvane::win32 {

// frmData: the listing of the samples of the last history synthesis. It has
// no behaviour of its own; the operator closing it destroys it.
class DataWindow final {
public:
    DataWindow();
    ~DataWindow();
    DataWindow(const DataWindow&) = delete;
    DataWindow& operator=(const DataWindow&) = delete;

    // False once the operator has closed it.
    bool isAlive() const { return window_ != nullptr; }
    HWND handle() const { return window_; }
    HWND txtData() const { return txtData_; }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    HWND txtData_ = nullptr;
};

}  // namespace corvane::win32

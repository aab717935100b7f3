#include "win32/DataWindowSlot.h"

namespace corvane::win32 {

DataWindow& DataWindowSlot::window() {
    if (!isLoaded()) {
        window_ = std::make_unique<DataWindow>();
    }
    return *window_;
}

void DataWindowSlot::showInFront() {
    HWND shown = window().handle();
    ShowWindow(shown, SW_SHOW);
    SetForegroundWindow(shown);
}

}  // namespace corvane::win32

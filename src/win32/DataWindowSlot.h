#pragma once

#include "win32/DataWindow.h"

#include <memory>

namespace corvane::win32 {

// Where frmData lives: empty until first use, empty again once the operator
// has closed it.
class DataWindowSlot final {
public:
    bool isLoaded() const { return window_ != nullptr && window_->isAlive(); }
    // The window, created hidden and empty when it is not loaded.
    DataWindow& window();
    // Shows the window as an ordinary top-level window in front of the others.
    void showInFront();

private:
    std::unique_ptr<DataWindow> window_;
};

}  // namespace corvane::win32

#pragma once

#include <QPointer>

namespace corvane::ui {

class DataWindow;

// Where frmData lives: empty until first use, empty again once the operator
// has closed it.
class DataWindowSlot final {
public:
    DataWindowSlot() = default;
    ~DataWindowSlot();
    DataWindowSlot(const DataWindowSlot&) = delete;
    DataWindowSlot& operator=(const DataWindowSlot&) = delete;

    bool isLoaded() const { return !window_.isNull(); }
    // The window, created hidden and empty when it is not loaded.
    DataWindow& window();
    // Shows the window as an ordinary top-level window in front of the others.
    void showInFront();

private:
    QPointer<DataWindow> window_;
};

}  // namespace corvane::ui

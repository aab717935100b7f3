#include "ui/DataWindowSlot.h"

#include "ui/DataWindow.h"

namespace corvane::ui {

DataWindowSlot::~DataWindowSlot() {
    delete window_.data();
}

DataWindow& DataWindowSlot::window() {
    if (window_.isNull()) {
        window_ = new DataWindow;
    }
    return *window_;
}

void DataWindowSlot::showInFront() {
    DataWindow& shown = window();
    shown.show();
    shown.raise();
    shown.activateWindow();
}

}  // namespace corvane::ui

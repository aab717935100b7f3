#include "ui/EditableTextGrid.h"

#include "ui/TextGrid.h"

#include <QCoreApplication>

namespace corvane::ui {

namespace {

window::PixelRect inParent(const QWidget& widget, const QRect& rect) {
    const QRect moved = rect.translated(widget.pos());
    return {moved.left(), moved.top(), moved.width(), moved.height()};
}

}  // namespace

std::int32_t EditableTextGrid::rowCount() const {
    return grid_.rows();
}

std::int32_t EditableTextGrid::row() const {
    return grid_.row();
}

std::int32_t EditableTextGrid::col() const {
    return grid_.col();
}

void EditableTextGrid::setCurrentCell(std::int32_t row, std::int32_t col) {
    grid_.setCurrentCell(row, col);
}

std::int32_t EditableTextGrid::topRow() const {
    return grid_.topRow();
}

void EditableTextGrid::setTopRow(std::int32_t row) {
    grid_.setTopRow(row);
}

std::u16string EditableTextGrid::cellText(std::int32_t row, std::int32_t col) const {
    return grid_.textMatrix(row, col);
}

void EditableTextGrid::setCellText(std::int32_t row, std::int32_t col, std::u16string_view text) {
    grid_.setTextMatrix(row, col, text);
}

window::PixelRect EditableTextGrid::cellRect(std::int32_t row, std::int32_t col) const {
    return inParent(grid_, grid_.cellRect(row, col));
}

window::PixelRect EditableTextGrid::dataArea() const {
    return inParent(grid_, grid_.dataArea());
}

void EditableTextGrid::takeFocus() {
    grid_.setFocus(Qt::OtherFocusReason);
}

void EditableTextGrid::runPendingEvents() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace corvane::ui

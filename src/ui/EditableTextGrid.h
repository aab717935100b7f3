#pragma once

#include "window/EditableGrid.h"

namespace corvane::ui {

class TextGrid;

// The Qt grid as the toolkit-neutral in-place editing sees it: cells in the
// coordinates of the grid's parent, the main window, where the editor lives.
class EditableTextGrid final : public window::EditableGrid {
public:
    explicit EditableTextGrid(TextGrid& grid) : grid_(grid) {}

    std::int32_t rowCount() const override;
    std::int32_t row() const override;
    std::int32_t col() const override;
    void setCurrentCell(std::int32_t row, std::int32_t col) override;
    std::int32_t topRow() const override;
    void setTopRow(std::int32_t row) override;
    std::u16string cellText(std::int32_t row, std::int32_t col) const override;
    void setCellText(std::int32_t row, std::int32_t col, std::u16string_view text) override;
    window::PixelRect cellRect(std::int32_t row, std::int32_t col) const override;
    window::PixelRect dataArea() const override;
    void takeFocus() override;
    void runPendingEvents() override;

private:
    TextGrid& grid_;
};

}  // namespace corvane::ui

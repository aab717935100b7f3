#pragma once

#include "window/CellEditorBox.h"

namespace corvane::ui {

class CellEditor;
class TextGrid;

// The Qt line edit as the toolkit-neutral in-place editing sees it.
class LineEditBox final : public window::CellEditorBox {
public:
    LineEditBox(CellEditor& editor, const TextGrid& grid) : editor_(editor), grid_(grid) {}

    bool isShown() const override;
    bool hasFocus() const override;
    std::u16string text() const override;
    void setText(std::u16string_view text, int caret) override;
    void takeGridFont() override;
    void place(const window::PixelRect& cell, const window::PixelRect& visible) override;
    void show() override;
    void hide() override;
    void takeFocus() override;

private:
    CellEditor& editor_;
    const TextGrid& grid_;
};

}  // namespace corvane::ui

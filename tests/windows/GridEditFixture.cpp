#include "GridEditFixture.h"

#include "GridRows.h"

namespace corvane::win32::test {

void GridEditFixture::SetUp() {
    WindowFixture::SetUp();
    console.setConsoleEvents(&events);
    corvane::test::appendCaseRows(console.grid());
    SyntheticInput::settle();
}

void GridEditFixture::addRow(std::u16string_view tag, std::u16string_view value, std::u16string_view confidence) {
    corvane::test::appendGridRow(console.grid(), tag, value, confidence);
}

window::PixelRect GridEditFixture::editorRect() const {
    RECT bounds{};
    GetWindowRect(editor().handle(), &bounds);
    MapWindowPoints(nullptr, window().handle(), reinterpret_cast<POINT*>(&bounds), 2);
    return {bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top};
}

POINT GridEditFixture::cellCentre(int row, int col) const {
    const window::PixelRect cell = grid().cellRect(row, col);
    return screenCentre(cell.left, cell.top, cell.width, cell.height);
}

}  // namespace corvane::win32::test

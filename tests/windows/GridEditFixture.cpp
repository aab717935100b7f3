#include "GridEditFixture.h"

namespace corvane::win32::test {

void GridEditFixture::SetUp() {
    WindowFixture::SetUp();
    console.setConsoleEvents(&events);
    addRow(u"TIC101.PV", u"12.5", u"100");
    addRow(u"FIC7.PV", u"-999", u"0");
    addRow(u"LIC3.PV", u"5", u"80");
    SyntheticInput::settle();
}

void GridEditFixture::addRow(std::u16string_view tag, std::u16string_view value, std::u16string_view confidence) {
    GridControl& control = console.grid();
    const int row = control.rows();
    control.setRows(row + 1);
    control.setTextMatrix(row, 0, tag);
    control.setTextMatrix(row, 1, value);
    control.setTextMatrix(row, 2, confidence);
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

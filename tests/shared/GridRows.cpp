#include "GridRows.h"

#include "automation/AutomationError.h"
#include "server/GridErrors.h"

#include <gtest/gtest.h>

#include <functional>

namespace corvane::test {

namespace {

int errorNumberOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const automation::AutomationError& error) {
        return error.number();
    }
    return 0;
}

}  // namespace

void appendGridRow(GridControl& grid, std::u16string_view tag, std::u16string_view value,
                   std::u16string_view confidence) {
    const int row = grid.rows();
    grid.setRows(row + 1);
    grid.setTextMatrix(row, 0, tag);
    grid.setTextMatrix(row, 1, value);
    grid.setTextMatrix(row, 2, confidence);
}

void appendCaseRows(GridControl& grid) {
    appendGridRow(grid, u"TIC101.PV", u"12.5", u"100");
    appendGridRow(grid, u"FIC7.PV", u"-999", u"0");
    appendGridRow(grid, u"LIC3.PV", u"5", u"80");
}

void expectOutOfRangeErrors(GridControl& grid) {
    ASSERT_EQ(grid.rows(), 2);
    EXPECT_EQ(errorNumberOf([&] { grid.textMatrix(2, 1); }), kInvalidRowValue);
    EXPECT_EQ(errorNumberOf([&] { grid.textMatrix(-1, 1); }), kInvalidRowValue);
    EXPECT_EQ(errorNumberOf([&] { grid.setTextMatrix(1, 3, u"x"); }), kInvalidColValue);
    EXPECT_EQ(errorNumberOf([&] { grid.removeRow(0); }), kInvalidRowValue);
    EXPECT_EQ(errorNumberOf([&] { grid.removeRow(2); }), kInvalidRowValue);
    EXPECT_EQ(errorNumberOf([&] { grid.setRows(0); }), kInvalidRowValue);
    EXPECT_EQ(grid.rows(), 2);
}

}  // namespace corvane::test

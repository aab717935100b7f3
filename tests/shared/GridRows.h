#pragma once

#include "server/OperatorConsole.h"

#include <string_view>

namespace corvane::test {

// Appends a row to the grid as the object model does when a tag is added.
void appendGridRow(GridControl& grid, std::u16string_view tag, std::u16string_view value,
                   std::u16string_view confidence);

// The three rows every grid editing case starts from (GridEditCases.h).
void appendCaseRows(GridControl& grid);

// Every operation on a cell outside a grid of one data row raises the grid's
// own error and changes nothing (a gtest check).
void expectOutOfRangeErrors(GridControl& gridWithOneDataRow);

}  // namespace corvane::test

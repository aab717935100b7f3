#pragma once

#include "automation/RegionalSettings.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

class GridControl;

// The grid rows that mirror the tags clients add: name, value, confidence.
namespace tag_grid_rows {

// Appends a row at the bottom with the name and the text forms of value and confidence.
void append(GridControl& grid, std::u16string_view name, float value, std::int32_t confidence,
            const automation::RegionalSettings& regional);
// Removes the first data row, from the top, whose name cell equals `name`
// exactly (letter case counts); no row matching leaves the grid unchanged.
void removeFirstNamed(GridControl& grid, std::u16string_view name);
// Writes value and confidence into a data row's cells 1 and 2.
void writeValues(GridControl& grid, std::int32_t row, float value, std::int32_t confidence,
                 const automation::RegionalSettings& regional);

}  // namespace tag_grid_rows
}  // namespace corvane

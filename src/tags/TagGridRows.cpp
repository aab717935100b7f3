#include "TagGridRows.h"

#include "automation/NumberText.h"
#include "server/OperatorConsole.h"

namespace corvane::tag_grid_rows {

void append(GridControl& grid, std::u16string_view name, float value, std::int32_t confidence,
            const automation::RegionalSettings& regional)
{
    grid.setRows(grid.rows() + 1);
    const std::int32_t row = grid.rows() - 1;
    grid.setTextMatrix(row, 0, name);
    writeValues(grid, row, value, confidence, regional);
}

void removeFirstNamed(GridControl& grid, std::u16string_view name)
{
    const std::int32_t rows = grid.rows();
    for (std::int32_t row = 1; row < rows; ++row) {
        if (grid.textMatrix(row, 0) == name) {
            grid.removeRow(row);
            return;
        }
    }
}

void writeValues(GridControl& grid, std::int32_t row, float value, std::int32_t confidence,
                 const automation::RegionalSettings& regional)
{
    grid.setTextMatrix(row, 1, automation::number::formatSingle(value, regional));
    grid.setTextMatrix(row, 2, automation::number::formatInteger(confidence));
}

}  // namespace corvane::tag_grid_rows

#include "MemoryGrid.h"

#include "TextHelpers.h"
#include "automation/AutomationError.h"
#include "server/GridErrors.h"

namespace corvane::testing {

MemoryGrid::MemoryGrid() : cells_{{u"Tag", u"Value", u"Confidence"}} {}

void MemoryGrid::setRows(std::int32_t rows) { cells_.resize(static_cast<std::size_t>(rows)); }

void MemoryGrid::check(std::int32_t row, std::int32_t col) const
{
    if (row < 0 || row >= rows()) throw automation::AutomationError::fromNumber(kInvalidRowValue, kInvalidRowValueText);
    if (col < 0 || col >= cols()) throw automation::AutomationError::fromNumber(kInvalidColValue, kInvalidColValueText);
}

std::u16string MemoryGrid::textMatrix(std::int32_t row, std::int32_t col) const
{
    check(row, col);
    return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void MemoryGrid::setTextMatrix(std::int32_t row, std::int32_t col, std::u16string_view text)
{
    check(row, col);
    cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = text;
}

void MemoryGrid::removeRow(std::int32_t row)
{
    check(row, 0);
    cells_.erase(cells_.begin() + row);
}

std::vector<std::string> MemoryGrid::dataRows() const
{
    std::vector<std::string> out;
    for (std::size_t r = 1; r < cells_.size(); ++r)
        out.push_back(utf8(cells_[r][0]) + "|" + utf8(cells_[r][1]) + "|" + utf8(cells_[r][2]));
    return out;
}

}  // namespace corvane::testing

#pragma once

#include "server/OperatorConsole.h"

#include <array>
#include <string>
#include <vector>

namespace corvane::testing {

// The grid as plain rows of three cells, with the grid's errors for cells outside it.
class MemoryGrid final : public GridControl {
public:
    MemoryGrid();

    std::int32_t rows() const override { return static_cast<std::int32_t>(cells_.size()); }
    void setRows(std::int32_t rows) override;
    std::int32_t cols() const override { return 3; }
    std::u16string textMatrix(std::int32_t row, std::int32_t col) const override;
    void setTextMatrix(std::int32_t row, std::int32_t col, std::u16string_view text) override;
    void removeRow(std::int32_t row) override;

    // Every data row as "name|value|confidence", for compact expectations.
    std::vector<std::string> dataRows() const;

private:
    void check(std::int32_t row, std::int32_t col) const;
    std::vector<std::array<std::u16string, 3>> cells_;
};

}  // namespace corvane::testing

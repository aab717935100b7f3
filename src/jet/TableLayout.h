#pragma once

#include "JetSchema.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace corvane::jet {

// Where each column of a table lives in a row: fixed-length columns packed in
// order after the column count, variable-length ones numbered in order.
struct ColumnLayout {
    ColumnSpec declared;
    std::uint16_t number = 0;
    bool fixed = false;
    std::uint16_t fixedOffset = 0;
    std::uint16_t variableIndex = 0;
    std::uint16_t size = 0;  // bytes as the definition states it (0 for Memo and OLE)
};

class TableLayout {
public:
    // Raises WriteError for no columns, an empty or repeated column name
    // (case ignored) or a text length outside 1 to 255.
    TableLayout(std::u16string_view tableName, const std::vector<ColumnSpec>& columns);

    const std::vector<ColumnLayout>& columns() const { return columns_; }
    std::uint16_t variableCount() const { return variableCount_; }
    std::optional<std::size_t> find(std::u16string_view name) const;

    // The row as a data page stores it. `rowNumber` (from 1) only names the
    // row in the WriteError for a value that does not fit its column.
    std::vector<std::uint8_t> encodeRow(const Row& row, std::size_t rowNumber) const;

private:
    std::u16string tableName_;
    std::vector<ColumnLayout> columns_;
    std::uint16_t variableCount_ = 0;
    std::uint16_t fixedSize_ = 0;
};

// The bytes of one value in its column; raises WriteError (naming the table,
// row and column) when it does not fit. Shared with the index key builder.
std::vector<std::uint8_t> encodeValue(const ColumnLayout& column, const Value& value);

}  // namespace corvane::jet

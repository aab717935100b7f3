#pragma once

#include "JetSchema.h"
#include "ValueEncoding.h"

#include <cstddef>
#include <cstdint>
#include <functional>
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

    // Stores the bytes of a long value (a memo) and gives what its row holds
    // for it: the 12-byte header, and the value itself when it stays in the row.
    using LongValueStore = std::function<std::vector<std::uint8_t>(const std::vector<std::uint8_t>& value)>;

    // The row as a data page stores it, its long values through `store`.
    // `rowNumber` (from 1) only names the row in the WriteError for a value
    // that does not fit its column.
    std::vector<std::uint8_t> encodeRow(const Row& row, std::size_t rowNumber, const LongValueStore& store = {}) const;

private:
    std::u16string tableName_;
    std::vector<ColumnLayout> columns_;
    std::uint16_t variableCount_ = 0;
    std::uint16_t fixedSize_ = 0;
};

}  // namespace corvane::jet

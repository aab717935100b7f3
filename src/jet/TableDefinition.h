#pragma once

#include "JetFormat.h"
#include "TableLayout.h"

#include <cstdint>
#include <optional>
#include <string>

namespace corvane::jet {

struct TableDefinitionIndex {
    std::u16string name;
    std::uint16_t column = 0;
    std::uint32_t pagesMap = 0;  // usage-map row pointer, (page << 8) | row
    std::uint32_t rootPage = 0;
    bool primaryKey = true;
};

struct TableDefinitionInput {
    bool system = false;
    std::uint32_t rowCount = 0;
    std::uint32_t usedPagesMap = 0;  // usage-map row pointers
    std::uint32_t freePagesMap = 0;
    std::optional<TableDefinitionIndex> index;
};

// The table definition page: counts, the usage-map pointers, one entry per
// column, the column names, and the index (physical and logical entries and
// its name). Raises WriteError when it does not fit one page.
Page buildTableDefinition(const TableLayout& layout, const TableDefinitionInput& input);

}  // namespace corvane::jet

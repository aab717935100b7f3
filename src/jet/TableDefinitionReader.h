#pragma once

#include "PageFile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::jet {

// A table definition as the file stores it. Column numbers are the columns'
// places in a row's null mask: a column deleted in the past leaves a gap in
// them, and its variable-length slot stays counted in `variableColumns`.
struct StoredColumn {
    std::uint8_t type = 0;
    std::uint16_t number = 0;
    std::uint16_t variableIndex = 0;  // its slot in a row's variable-length table
    std::uint16_t fixedOffset = 0;    // after the row's column count
    std::uint16_t size = 0;
    std::uint8_t flags = 0;
    std::uint8_t precision = 0;  // Decimal columns
    std::uint8_t scale = 0;
    std::u16string name;

    bool fixed() const { return (flags & 0x01) != 0; }
};

struct StoredIndexColumn {
    std::uint16_t number = 0;  // a column number
    bool ascending = true;
};

// A physical index: the keys and pages that logical indexes share.
struct StoredRealIndex {
    std::vector<StoredIndexColumn> columns;
    std::uint32_t usedPagesMap = 0;  // usage-map row pointer
    std::uint32_t firstPage = 0;
    std::uint8_t flags = 0;
};

struct StoredLogicalIndex {
    std::uint32_t number = 0;
    std::uint32_t realIndex = 0;
    std::uint8_t type = 0;  // 1 for the primary key
    std::u16string name;
};

struct StoredTableDefinition {
    std::uint32_t rowCount = 0;
    std::uint8_t tableType = 0;
    std::uint16_t maxColumns = 0;
    std::uint16_t variableColumns = 0;
    std::uint32_t usedPagesMap = 0;  // usage-map row pointers
    std::uint32_t freePagesMap = 0;
    std::vector<StoredColumn> columns;
    std::vector<StoredRealIndex> realIndexes;
    std::vector<StoredLogicalIndex> logicalIndexes;

    const StoredColumn* column(std::uint16_t number) const;
};

// Reads the definition that starts at page `first`: the first page whole and
// the rest of each page it chains to. Raises MalformedFile for a chain that
// leaves the file or loops, counts beyond what a table can have, and entries
// that run past the definition's end.
StoredTableDefinition readTableDefinition(PageFile& file, std::uint32_t first);

}  // namespace corvane::jet

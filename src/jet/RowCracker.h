#pragma once

#include "TableDefinitionReader.h"

#include <span>
#include <vector>

namespace corvane::jet {

// One field of a row: its stored bytes, or absent for Null. A Boolean field
// keeps its value in the null mask: present means true, with no bytes.
struct CrackedField {
    bool present = false;
    std::span<const std::uint8_t> bytes;
};

// The fields of a stored row, one per column of `table` in the order of its
// columns. A row written before a column was added has no bits or slot for
// it: the field is Null. Raises MalformedFile for a row whose offsets or
// null mask do not fit its bytes.
std::vector<CrackedField> crackRow(const StoredTableDefinition& table, std::span<const std::uint8_t> row);

}  // namespace corvane::jet

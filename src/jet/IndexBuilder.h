#pragma once

#include "JetFormat.h"
#include "TableLayout.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::jet {

// The key of one value as an ascending index entry stores it: the flag 0x7F,
// then bytes that sort as the values do, exactly as the engine writes them,
// so that any reader can search the index by key. Text: its key in the
// General sort order (TextIndexKey.h); a character without a place in that
// order raises WriteError naming it. Numbers: big-endian with the sign bit
// flipped (floating point: all bits flipped when negative).
std::vector<std::uint8_t> indexKey(const ColumnLayout& column, const Value& value);

struct IndexEntry {
    std::vector<std::uint8_t> key;
    std::uint32_t page = 0;
    std::uint8_t row = 0;
};

// Leaf pages holding the entries in key order, chained both ways, and above
// them node pages (each entry naming the last key of a child page) up to a
// single root. Pages are numbered from `firstPage`; the root is the last one.
// Node pages leave their tail-page field at 0: every leaf is reachable
// through the node entries, so there is no tail leaf outside the tree.
struct IndexPages {
    std::vector<Page> pages;
    std::uint32_t root = 0;
};
IndexPages buildIndexPages(const std::vector<IndexEntry>& sortedEntries, std::uint32_t ownerPage, std::uint32_t firstPage);

}  // namespace corvane::jet

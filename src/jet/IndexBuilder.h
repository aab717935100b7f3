#pragma once

#include "JetFormat.h"
#include "TableLayout.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::jet {

// The key of one value as an ascending index entry stores it: the flag 0x7F,
// then bytes that sort as the values do.
//
// Text follows the General sort order for letters (either case) and digits.
// Other characters carry extra bytes in that order that are not settled here,
// so the writer gives them codes of its own that keep every key distinct and
// ordered: ASCII punctuation and blanks below the digits, anything else after
// the letters with its UTF-16 value. Only an engine that searches the index
// pages would see the difference; the readers here read the rows.
// Numbers: big-endian with the sign bit flipped (floating point: all bits
// flipped when negative).
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

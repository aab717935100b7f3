#pragma once

#include <cstdint>
#include <span>

namespace corvane::jet {

// One field of a row as the file stores it, with what its column says about
// reading it. Memo and OLE fields hold the header of their long value.
struct StoredField {
    std::uint8_t type = 0;   // the column type as a table definition numbers it (ColumnType)
    std::uint8_t scale = 0;  // Decimal: digits after the point
    bool present = false;    // false for Null; a Boolean's value
    std::span<const std::uint8_t> bytes;
};

}  // namespace corvane::jet

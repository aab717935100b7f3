#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace corvane::jet {

// Where row `row` of a data page lies, as its entry in the page's row table
// says: rows run from the page's end towards its front, each ending where
// the one before it starts. The entry's top bits mark a row that was
// deleted (0x4000 with 0x8000) or moved to another page, leaving a 4-byte
// pointer here (0x4000 alone), and the moved row at its new place (0x8000).
struct DataRow {
    std::size_t start = 0;
    std::size_t end = 0;
    bool deleted = false;
    bool movedAway = false;  // these bytes are a row pointer, (page << 8) | row
    bool movedHere = false;
};

// Nothing when the page holds no such row or its bounds make no sense.
std::optional<DataRow> dataRow(std::span<const std::uint8_t> page, std::size_t row);

// A page pointer as rows and definitions store them: (page << 8) | row.
inline std::uint32_t pageOf(std::uint32_t pointer) { return pointer >> 8; }
inline std::uint8_t rowOf(std::uint32_t pointer) { return static_cast<std::uint8_t>(pointer); }

}  // namespace corvane::jet

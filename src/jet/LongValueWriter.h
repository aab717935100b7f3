#pragma once

#include "JetFormat.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace corvane::jet {

// Stores long values (memos) as the engine lays them out: a short one in
// its row after the 12-byte header; a longer one in a row of a long-value
// page of its own; one longer than a page in a chain of such rows, each
// naming the next in its first 4 bytes. Long-value pages are data pages
// marked "LVAL" where the owning table would be; no usage map lists them.
class LongValueWriter {
public:
    // `addPage` adds a page to the file and gives its number.
    explicit LongValueWriter(std::function<std::uint32_t(Page)> addPage) : addPage_(std::move(addPage)) {}

    // What the row holds for `value`: the header, and the value when inline.
    std::vector<std::uint8_t> store(const std::vector<std::uint8_t>& value);

private:
    std::uint32_t addRowPage(const std::uint8_t* bytes, std::size_t count, std::uint32_t next, bool chained);

    std::function<std::uint32_t(Page)> addPage_;
};

}  // namespace corvane::jet

#pragma once

#include "PageFile.h"

#include <cstdint>
#include <span>
#include <vector>

namespace corvane::jet {

// The whole of a memo or OLE value, from what its row holds: a 12-byte
// header (the length in the low 30 bits of its first word, and where the
// value lies in the top two: right after the header, in one row of a
// long-value page, or in a chain of such rows each naming the next in its
// first 4 bytes). Raises MalformedFile for a header cut short, a row that is
// missing, a chain that loops or ends before the length is reached. Every
// row is read once, so a damaged file costs at most its own size.
std::vector<std::uint8_t> readLongValue(PageFile& file, std::span<const std::uint8_t> field);

}  // namespace corvane::jet

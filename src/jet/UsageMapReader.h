#pragma once

#include "PageFile.h"

#include <cstdint>
#include <vector>

namespace corvane::jet {

// The pages a usage map row marks (which pages belong to a table or an
// index), in ascending order. The row is named by its pointer,
// (page << 8) | row: a type-0 map holds a first page and a bitmap, a type-1
// map points at bitmap pages of 32,736 pages each. Raises MalformedFile when
// the row or a bitmap page is missing, the type is unknown, or a marked page
// lies beyond the file.
std::vector<std::uint32_t> usageMapPages(PageFile& file, std::uint32_t rowPointer);

}  // namespace corvane::jet

#pragma once

#include "PageFile.h"

#include <cstdint>
#include <functional>
#include <span>

namespace corvane::jet {

// Calls `row` with the bytes of each live row of the table whose definition
// starts at `definitionPage`: its data pages as its usage map `usedPagesMap`
// lists them (pages another table owns are passed over), each page's rows in
// order. Deleted rows and the pointers that rows leave when they move are
// passed over; a moved row is read where it now lies (as every other reader
// of these files orders them). Raises MalformedFile for a row whose bounds
// make no sense. Each page is read once: the work is bounded by the file.
void forEachStoredRow(PageFile& file, std::uint32_t definitionPage, std::uint32_t usedPagesMap,
                      const std::function<void(std::span<const std::uint8_t>)>& row);

}  // namespace corvane::jet

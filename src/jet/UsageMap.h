#pragma once

#include "JetFormat.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace corvane::jet {

// The row of a usage map (which pages belong to a table or an index), as
// both readers find a table's pages only through it. Pages within 512 of
// each other fit a type-0 map (first page plus a bitmap); a wider spread
// takes a type-1 map, whose slots point at bitmap pages of 32,736 pages each,
// made through `addBitmapPage` (given the page, it returns the page's number).
std::vector<std::uint8_t> usageMapRow(const std::vector<std::uint32_t>& sortedPages,
                                      const std::function<std::uint32_t(Page)>& addBitmapPage);

}  // namespace corvane::jet

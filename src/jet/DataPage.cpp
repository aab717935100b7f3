#include "DataPage.h"

#include "JetFormat.h"
#include "PageFile.h"

namespace corvane::jet {
namespace {

constexpr std::uint16_t kOffsetMask = 0x1FFF;
constexpr std::uint16_t kPointerFlag = 0x4000;
constexpr std::uint16_t kMovedFlag = 0x8000;

}  // namespace

std::optional<DataRow> dataRow(std::span<const std::uint8_t> page, std::size_t row)
{
    if (page.size() != kPageSize) return std::nullopt;
    const std::size_t rows = u16At(page, kDataRowCountOffset);
    if (row >= rows || kDataRowTableOffset + 2 * rows > kPageSize) return std::nullopt;
    const std::uint16_t entry = u16At(page, kDataRowTableOffset + 2 * row);
    DataRow found;
    found.start = entry & kOffsetMask;
    found.end = row == 0 ? kPageSize : u16At(page, kDataRowTableOffset + 2 * (row - 1)) & kOffsetMask;
    const bool pointer = (entry & kPointerFlag) != 0, moved = (entry & kMovedFlag) != 0;
    found.deleted = pointer && moved;
    found.movedAway = pointer && !moved;
    found.movedHere = moved && !pointer;
    if (found.deleted) return found;
    if (found.start < kDataRowTableOffset + 2 * rows || found.start >= found.end || found.end > kPageSize) return std::nullopt;
    return found;
}

}  // namespace corvane::jet

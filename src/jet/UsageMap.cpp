#include "UsageMap.h"

#include "JetSchema.h"

#include <map>

namespace corvane::jet {

std::vector<std::uint8_t> usageMapRow(const std::vector<std::uint32_t>& sortedPages,
                                      const std::function<std::uint32_t(Page)>& addBitmapPage)
{
    std::vector<std::uint8_t> row(kUsageMapRowSize, 0);
    if (sortedPages.empty() || sortedPages.back() - sortedPages.front() < kUsageMapBits) {
        const std::uint32_t first = sortedPages.empty() ? 0 : sortedPages.front();
        for (int i = 0; i < 4; ++i) row[1 + i] = static_cast<std::uint8_t>(first >> (8 * i));
        for (std::uint32_t page : sortedPages) row[5 + (page - first) / 8] |= static_cast<std::uint8_t>(1u << ((page - first) % 8));
        return row;
    }

    std::map<std::uint32_t, Page> bitmaps;  // slot -> bitmap page
    for (std::uint32_t page : sortedPages) {
        const std::uint32_t slot = page / kBitmapPageBits;
        if (1 + 4 * (slot + 1) > kUsageMapRowSize) throw WriteError("the database is too large for its usage maps");
        auto [where, added] = bitmaps.try_emplace(slot);
        if (added) {
            where->second.u8(0, page_type::kUsageBitmap);
            where->second.u8(1, 0x01);
        }
        const std::uint32_t bit = page % kBitmapPageBits;
        where->second.data()[4 + bit / 8] |= static_cast<std::uint8_t>(1u << (bit % 8));
    }
    row[0] = 0x01;
    for (auto& [slot, bitmap] : bitmaps) {
        const std::uint32_t number = addBitmapPage(std::move(bitmap));
        for (int i = 0; i < 4; ++i) row[1 + 4 * slot + i] = static_cast<std::uint8_t>(number >> (8 * i));
    }
    return row;
}

}  // namespace corvane::jet

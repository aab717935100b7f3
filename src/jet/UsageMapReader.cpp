#include "UsageMapReader.h"

#include "DataPage.h"
#include "JetFormat.h"
#include "MalformedFile.h"

namespace corvane::jet {
namespace {

void addMarked(std::vector<std::uint32_t>& pages, std::span<const std::uint8_t> bitmap, std::uint64_t firstPage,
               std::uint64_t pageCount)
{
    for (std::size_t byte = 0; byte < bitmap.size(); ++byte) {
        if (bitmap[byte] == 0) continue;
        for (std::size_t bit = 0; bit < 8; ++bit) {
            if (!((bitmap[byte] >> bit) & 1)) continue;
            const std::uint64_t page = firstPage + 8 * byte + bit;
            if (page >= pageCount) throw MalformedFile("a usage map names a page beyond the end of the file");
            pages.push_back(static_cast<std::uint32_t>(page));
        }
    }
}

}  // namespace

std::vector<std::uint32_t> usageMapPages(PageFile& file, std::uint32_t rowPointer)
{
    const auto page = file.page(pageOf(rowPointer));
    if (page.empty() || page[0] != page_type::kData) throw MalformedFile("a usage map lies on no data page");
    const std::optional<DataRow> row = dataRow(page, rowOf(rowPointer));
    if (!row || row->deleted || row->movedAway) throw MalformedFile("a usage map row does not exist");
    const auto map = page.subspan(row->start, row->end - row->start);

    std::vector<std::uint32_t> pages;
    if (map[0] == 0) {
        if (map.size() < 5) throw MalformedFile("a usage map is cut short");
        addMarked(pages, map.subspan(5), u32At(map, 1), file.pageCount());
        return pages;
    }
    if (map[0] != 1) throw MalformedFile("a usage map has an unknown type");
    for (std::size_t slot = 0; 1 + 4 * slot + 4 <= map.size(); ++slot) {
        const std::uint32_t number = u32At(map, 1 + 4 * slot);
        if (number == 0) continue;
        const auto bitmap = file.page(number);
        if (bitmap.empty() || bitmap[0] != page_type::kUsageBitmap) throw MalformedFile("a usage bitmap page is missing");
        addMarked(pages, bitmap.subspan(4), std::uint64_t{slot} * kBitmapPageBits, file.pageCount());
    }
    return pages;
}

}  // namespace corvane::jet

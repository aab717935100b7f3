#include "StoredRows.h"

#include "DataPage.h"
#include "JetFormat.h"
#include "MalformedFile.h"
#include "UsageMapReader.h"

namespace corvane::jet {

void forEachStoredRow(PageFile& file, std::uint32_t definitionPage, std::uint32_t usedPagesMap,
                      const std::function<void(std::span<const std::uint8_t>)>& row)
{
    for (const std::uint32_t number : usageMapPages(file, usedPagesMap)) {
        const auto page = file.page(number);
        if (page.empty() || page[0] != page_type::kData || u32At(page, 4) != definitionPage) continue;
        const std::size_t rows = u16At(page, kDataRowCountOffset);
        for (std::size_t r = 0; r < rows; ++r) {
            const std::optional<DataRow> found = dataRow(page, r);
            if (!found) throw MalformedFile("a row lies beyond its page");
            // A moved row is read where it now lies, on a page of the same
            // map: following its old pointer as well would read it twice.
            if (found->deleted || found->movedAway) continue;
            row(page.subspan(found->start, found->end - found->start));
        }
    }
}

}  // namespace corvane::jet

#include "PropertiesCheck.h"

#include "DataPage.h"
#include "JetFormat.h"
#include "LongValueReader.h"
#include "MalformedFile.h"
#include "RowCracker.h"
#include "TableDefinitionReader.h"
#include "UsageMapReader.h"

#include <cstring>

namespace corvane::jet {
namespace {

constexpr std::size_t kChunkHeader = 6;
constexpr std::size_t kRecordHeader = 8;
constexpr std::uint16_t kNamesChunk = 0x80;

[[noreturn]] void damaged() { throw MalformedFile("an object's properties are damaged"); }

std::size_t namesIn(std::span<const std::uint8_t> chunk)
{
    std::size_t names = 0;
    for (std::size_t at = 0; at < chunk.size(); ++names) {
        if (chunk.size() - at < 2 || chunk.size() - at - 2 < u16At(chunk, at)) damaged();
        at += 2 + u16At(chunk, at);
    }
    return names;
}

void checkValues(std::span<const std::uint8_t> chunk, std::size_t names)
{
    if (chunk.size() < 6) damaged();
    const std::size_t header = u32At(chunk, 0);
    if (header != 6 + std::size_t{u16At(chunk, 4)} || header > chunk.size()) damaged();
    for (std::size_t at = header; at < chunk.size();) {
        if (chunk.size() - at < kRecordHeader) damaged();
        const std::size_t length = u16At(chunk, at);
        if (length < kRecordHeader + u16At(chunk, at + 6) || length > chunk.size() - at || u16At(chunk, at + 4) >= names) damaged();
        at += length;
    }
}

}  // namespace

void checkPropertyBlock(std::span<const std::uint8_t> block)
{
    if (block.size() < 4 || std::memcmp(block.data(), "MR2", 4) != 0) return;
    std::size_t names = 0;
    for (std::size_t at = 4; at < block.size();) {
        if (block.size() - at < kChunkHeader) damaged();
        const std::size_t length = u32At(block, at);
        if (length < kChunkHeader || length > block.size() - at) damaged();
        const auto chunk = block.subspan(at + kChunkHeader, length - kChunkHeader);
        if (u16At(block, at + 4) == kNamesChunk)
            names = namesIn(chunk);
        else
            checkValues(chunk, names);
        at += length;
    }
}

void checkCatalogProperties(PageFile& file)
{
    const StoredTableDefinition catalog = readTableDefinition(file, kCatalogPage);
    std::size_t properties = catalog.columns.size();
    for (std::size_t c = 0; c < catalog.columns.size(); ++c)
        if (catalog.columns[c].name == u"LvProp") properties = c;
    if (properties == catalog.columns.size()) return;
    for (std::uint32_t number : usageMapPages(file, catalog.usedPagesMap)) {
        const auto page = file.page(number);
        if (page[0] != page_type::kData || u32At(page, 4) != kCatalogPage) continue;
        for (std::size_t r = 0; r < u16At(page, kDataRowCountOffset); ++r) {
            const std::optional<DataRow> row = dataRow(page, r);
            if (!row) throw MalformedFile("a catalog row lies beyond its page");
            if (row->deleted || row->movedAway) continue;
            const auto fields = crackRow(catalog, page.subspan(row->start, row->end - row->start));
            if (fields[properties].present) checkPropertyBlock(readLongValue(file, fields[properties].bytes));
        }
    }
}

}  // namespace corvane::jet

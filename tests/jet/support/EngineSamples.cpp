#include "EngineSamples.h"

#include "DataPage.h"
#include "JetFormat.h"
#include "JetText.h"
#include "RowCracker.h"
#include "TestFiles.h"
#include "UsageMapReader.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>

namespace corvane::test {

std::filesystem::path samplesFolder() { return CORVANE_JET_SAMPLES; }

std::vector<std::filesystem::path> sampleFiles()
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(samplesFolder()))
        if (entry.path().extension() == ".mdb") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::string patchedSample(const std::filesystem::path& patch)
{
    std::istringstream lines(readFile(patch));
    std::string line;
    while (std::getline(lines, line) && (line.empty() || line[0] == '#')) {
    }
    std::string bytes = readFile(samplesFolder() / line);
    for (std::size_t at; lines >> at >> line;) bytes.at(at) = static_cast<char>(std::stoi(line, nullptr, 16));
    return bytes;
}

std::span<const std::uint8_t> rowAt(jet::PageFile& file, std::uint32_t page, std::uint8_t row)
{
    for (int hops = 0; hops < 2; ++hops) {
        const auto bytes = file.page(page);
        const std::optional<jet::DataRow> found = jet::dataRow(bytes, row);
        if (!found || found->deleted) throw std::runtime_error("no row there");
        if (!found->movedAway) return bytes.subspan(found->start, found->end - found->start);
        const std::uint32_t pointer = jet::u32At(bytes, found->start);
        page = jet::pageOf(pointer);
        row = jet::rowOf(pointer);
    }
    throw std::runtime_error("a row moved twice");
}

std::vector<SampleTable> sampleTables(jet::PageFile& file)
{
    const jet::StoredTableDefinition catalog = jet::readTableDefinition(file, jet::kCatalogPage);
    const auto columnIndex = [&](std::u16string_view name) {
        for (std::size_t i = 0; i < catalog.columns.size(); ++i)
            if (catalog.columns[i].name == name) return i;
        throw std::runtime_error("the catalog lacks a column");
    };
    const std::size_t id = columnIndex(u"Id"), name = columnIndex(u"Name"), type = columnIndex(u"Type"), flags = columnIndex(u"Flags");
    std::vector<SampleTable> tables{{u"MSysObjects", jet::kCatalogPage, true}};
    for (std::uint32_t number : jet::usageMapPages(file, catalog.usedPagesMap)) {
        const auto page = file.page(number);
        if (page[0] != jet::page_type::kData || jet::u32At(page, 4) != jet::kCatalogPage) continue;
        for (std::size_t r = 0; r < jet::u16At(page, jet::kDataRowCountOffset); ++r) {
            const std::optional<jet::DataRow> row = jet::dataRow(page, r);
            if (!row || row->deleted || row->movedAway) continue;
            const auto fields = jet::crackRow(catalog, page.subspan(row->start, row->end - row->start));
            if (!fields[type].present || jet::u16At(fields[type].bytes, 0) != 1) continue;  // tables only
            const std::uint32_t definition = jet::u32At(fields[id].bytes, 0) & 0x00FFFFFF;
            if (definition == jet::kCatalogPage) continue;
            const bool system = fields[flags].present && (jet::u32At(fields[flags].bytes, 0) & 0x80000002) != 0;
            tables.push_back({jet::decodeText(fields[name].bytes.data(), fields[name].bytes.size()), definition, system});
        }
    }
    return tables;
}

std::vector<IndexPageEntry> indexPageEntries(std::span<const std::uint8_t> page)
{
    const bool node = page[0] == jet::page_type::kIndexNode;
    const std::size_t prefix = jet::u16At(page, 24);
    std::vector<std::size_t> bounds{0};
    for (std::size_t bit = 1; bit <= jet::kPageSize - jet::kIndexEntriesOffset; ++bit)
        if ((page[jet::kIndexMaskOffset + bit / 8] >> (bit % 8)) & 1) bounds.push_back(bit);
    std::vector<IndexPageEntry> entries;
    std::vector<std::uint8_t> first;
    for (std::size_t i = 1; i < bounds.size(); ++i) {
        std::vector<std::uint8_t> bytes(page.begin() + static_cast<std::ptrdiff_t>(jet::kIndexEntriesOffset + bounds[i - 1]),
                                        page.begin() + static_cast<std::ptrdiff_t>(jet::kIndexEntriesOffset + bounds[i]));
        if (i == 1) first = bytes;
        else bytes.insert(bytes.begin(), first.begin(), first.begin() + static_cast<std::ptrdiff_t>(prefix));
        IndexPageEntry entry;
        const std::size_t tail = node ? 8 : 4;
        if (bytes.size() < tail) throw std::runtime_error("an index entry is cut short");
        const std::size_t at = bytes.size() - tail;
        entry.page = static_cast<std::uint32_t>(bytes[at] << 16 | bytes[at + 1] << 8 | bytes[at + 2]);
        entry.row = bytes[at + 3];
        if (node)
            entry.child = static_cast<std::uint32_t>(bytes[at + 4]) << 24 | static_cast<std::uint32_t>(bytes[at + 5]) << 16 |
                          static_cast<std::uint32_t>(bytes[at + 6]) << 8 | bytes[at + 7];
        entry.key.assign(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
        entries.push_back(std::move(entry));
    }
    return entries;
}

}  // namespace corvane::test

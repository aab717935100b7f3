#include "JetFileCheck.h"

#include "JetFormat.h"
#include "MalformedFile.h"
#include "PropertiesCheck.h"
#include "TableDefinitionReader.h"
#include "UsageMapReader.h"

#include <cstring>

namespace corvane::jet {
namespace {

constexpr std::size_t kNameLimit = 128;  // units: libmdb keeps names in 256-byte buffers

bool knownColumnType(std::uint8_t type) { return type >= 1 && type <= 0x12; }

void checkDefinition(PageFile& file, std::uint32_t first)
{
    const StoredTableDefinition table = readTableDefinition(file, first);
    for (const StoredColumn& column : table.columns) {
        if (!knownColumnType(column.type)) throw MalformedFile("a column has an unknown type");
        if (column.fixed() && std::size_t{column.fixedOffset} + column.size + 2 > kPageSize)
            throw MalformedFile("a fixed column lies beyond a page");
        if (column.name.size() > kNameLimit) throw MalformedFile("a column name is too long");
    }
    for (const StoredRealIndex& index : table.realIndexes)
        if (index.firstPage >= file.pageCount()) throw MalformedFile("an index starts beyond the end of the file");
    for (const StoredLogicalIndex& index : table.logicalIndexes)
        if (index.name.size() > kNameLimit) throw MalformedFile("an index name is too long");
    usageMapPages(file, table.usedPagesMap);
    usageMapPages(file, table.freePagesMap);
}

}  // namespace

JetFileCheck::JetFileCheck(const std::filesystem::path& path) : file_(path) {}

std::optional<std::string> JetFileCheck::checkDatabase()
{
    if (file_.pageCount() < 5) return "not a whole number of pages, or too short for a database";
    const auto header = file_.page(0);
    if (header.empty()) return "the header page cannot be read";
    static const std::uint8_t kMagic[4] = {0x00, 0x01, 0x00, 0x00};
    if (std::memcmp(header.data(), kMagic, 4) != 0 ||
        (std::memcmp(header.data() + 4, "Standard Jet DB", 16) != 0 &&
         std::memcmp(header.data() + 4, "Standard ACE DB", 16) != 0))
        return "no database signature";
    const std::uint8_t version = header[0x14];
    if (version < 1 || version > 6) return "not a format with 4 KiB pages";
    if (auto damage = checkTable(kCatalogPage)) return damage;
    try {
        checkCatalogProperties(file_);
    } catch (const MalformedFile& damage) {
        return damage.what();
    }
    return std::nullopt;
}

std::optional<std::string> JetFileCheck::checkTable(std::uint32_t definitionPage)
{
    try {
        checkDefinition(file_, definitionPage);
    } catch (const MalformedFile& damage) {
        return damage.what();
    }
    return std::nullopt;
}

}  // namespace corvane::jet

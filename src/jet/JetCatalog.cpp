#include "JetCatalog.h"

#include "JetFormat.h"
#include "JetText.h"
#include "MalformedFile.h"
#include "RowCracker.h"
#include "StoredRows.h"
#include "TableDefinitionReader.h"
#include "automation/CaseFold.h"

#include <cstring>
#include <optional>

namespace corvane::jet {
namespace {

constexpr std::int16_t kTableObject = 1;
constexpr std::uint32_t kPageNumberMask = 0x00FFFFFF;

std::size_t columnPlace(const StoredTableDefinition& catalog, std::u16string_view name)
{
    for (std::size_t c = 0; c < catalog.columns.size(); ++c)
        if (catalog.columns[c].name == name) return c;
    throw MalformedFile("the catalog lacks a column it needs");
}

template <class T>
std::optional<T> numberOf(const CrackedField& field)
{
    T value{};
    if (!field.present || field.bytes.size() != sizeof(T)) return std::nullopt;
    std::memcpy(&value, field.bytes.data(), sizeof(T));
    return value;
}

}  // namespace

std::vector<CatalogTable> readCatalog(PageFile& file)
{
    const StoredTableDefinition catalog = readTableDefinition(file, kCatalogPage);
    const std::size_t id = columnPlace(catalog, u"Id"), name = columnPlace(catalog, u"Name"),
                      type = columnPlace(catalog, u"Type"), flags = columnPlace(catalog, u"Flags");
    std::vector<CatalogTable> tables;
    forEachStoredRow(file, kCatalogPage, catalog.usedPagesMap, [&](std::span<const std::uint8_t> row) {
        const std::vector<CrackedField> fields = crackRow(catalog, row);
        if (numberOf<std::int16_t>(fields[type]) != kTableObject) return;
        CatalogTable table;
        if (fields[name].present) table.name = decodeText(fields[name].bytes.data(), fields[name].bytes.size());
        table.definitionPage = numberOf<std::uint32_t>(fields[id]).value_or(0) & kPageNumberMask;
        table.flags = numberOf<std::int32_t>(fields[flags]).value_or(0);
        tables.push_back(std::move(table));
    });
    return tables;
}

const CatalogTable* findTable(const std::vector<CatalogTable>& catalog, std::u16string_view name)
{
    for (const CatalogTable& table : catalog)
        if (table.name == name || automation::equalIgnoringCase(table.name, name)) return &table;
    return nullptr;
}

}  // namespace corvane::jet

#include "JetTableScan.h"

#include "JetFileCheck.h"
#include "MalformedFile.h"
#include "RowCracker.h"
#include "StoredRows.h"
#include "automation/CaseFold.h"
#include "server/DataLayerErrors.h"

#include <algorithm>

namespace corvane::jet {
namespace {

bool hasIndex(const StoredTableDefinition& definition, std::u16string_view name)
{
    for (const StoredLogicalIndex& index : definition.logicalIndexes)
        if (automation::equalIgnoringCase(index.name, name)) return true;
    return false;
}

}  // namespace

JetTableScan::JetTableScan(const std::filesystem::path& file, const std::u16string& path,
                           const std::vector<CatalogTable>& catalog, std::u16string_view tableName,
                           std::u16string_view indexName)
    : file_(file)
{
    const CatalogTable* table = findTable(catalog, tableName);
    if (!table) throw data_layer::tableNotFound(tableName);
    definitionPage_ = table->definitionPage;
    // The same checks as before libmdb reads a table, so that both readers
    // refuse the same files.
    if (JetFileCheck(file).checkTable(definitionPage_)) throw data_layer::unrecognizedFormat(path);
    try {
        definition_ = readTableDefinition(file_, definitionPage_);
    } catch (const MalformedFile&) {
        throw data_layer::unrecognizedFormat(path);
    }
    if (!indexName.empty() && !hasIndex(definition_, indexName)) throw data_layer::indexNotFound(indexName);
    std::stable_sort(definition_.columns.begin(), definition_.columns.end(),
                     [](const StoredColumn& a, const StoredColumn& b) { return a.number < b.number; });
    for (const StoredColumn& column : definition_.columns) columns_.push_back({column.name, column.type, column.scale});
}

void JetTableScan::forEachRow(const RowVisitor& row)
{
    std::vector<StoredField> fields(columns_.size());
    forEachStoredRow(file_, definitionPage_, definition_.usedPagesMap, [&](std::span<const std::uint8_t> bytes) {
        const std::vector<CrackedField> cracked = crackRow(definition_, bytes);
        for (std::size_t i = 0; i < fields.size(); ++i)
            fields[i] = StoredField{columns_[i].type, columns_[i].scale, cracked[i].present, cracked[i].bytes};
        row(fields);
    });
}

}  // namespace corvane::jet

#include "MdbTableScan.h"

#include "JetFileCheck.h"
#include "JetText.h"
#include "MalformedFile.h"
#include "TableDefinitionReader.h"
#include "automation/CaseFold.h"
#include "server/DataLayerErrors.h"

#include <glib.h>
#include <mdbtools.h>

#include <algorithm>

namespace corvane::jet {
namespace {

MdbCatalogEntry* findTable(MdbHandle* mdb, std::u16string_view name)
{
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type == MDB_TABLE && automation::equalIgnoringCase(fromUtf8(entry->object_name), name))
            return entry;
    }
    return nullptr;
}

// The index names come from our own reading of the definition: libmdb's
// takes an index's column numbers for places in its column list, which
// they are not once a column has been deleted.
bool hasIndex(const StoredTableDefinition& definition, std::u16string_view name)
{
    for (const StoredLogicalIndex& index : definition.logicalIndexes)
        if (automation::equalIgnoringCase(index.name, name)) return true;
    return false;
}

}  // namespace

MdbTableScan::MdbTableScan(const MdbSession& session, std::u16string_view tableName, std::u16string_view indexName)
    : path_(session.path), file_(session.file)
{
    auto* mdb = static_cast<MdbHandle*>(session.handle);
    if (!mdb) throw data_layer::connectionUnusable();
    MdbCatalogEntry* entry = findTable(mdb, tableName);
    if (!entry) throw data_layer::tableNotFound(tableName);
    const auto definitionPage = static_cast<std::uint32_t>(entry->table_pg);
    if (JetFileCheck(session.file).checkTable(definitionPage)) throw data_layer::unrecognizedFormat(path_);
    StoredTableDefinition definition;
    try {
        definition = readTableDefinition(file_, definitionPage);
    } catch (const MalformedFile&) {
        throw data_layer::unrecognizedFormat(path_);
    }

    auto* table = mdb_read_table(entry);
    if (!table) throw data_layer::unrecognizedFormat(path_);
    mdb_ = mdb;
    table_ = table;
    if (!mdb_read_columns(table)) throw data_layer::unrecognizedFormat(path_);
    if (!indexName.empty() && !hasIndex(definition, indexName)) throw data_layer::indexNotFound(indexName);
    // libmdb lists the columns by number; their types and scales are taken
    // from our own reading (libmdb swaps a Decimal's precision and scale).
    std::sort(definition.columns.begin(), definition.columns.end(),
              [](const StoredColumn& a, const StoredColumn& b) { return a.number < b.number; });
    if (definition.columns.size() != table->num_cols) throw data_layer::unrecognizedFormat(path_);
    for (unsigned i = 0; i < table->num_cols; ++i) {
        const auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
        const StoredColumn& stored = definition.columns[i];
        if (column->col_type != stored.type) throw data_layer::unrecognizedFormat(path_);
        columns_.push_back({fromUtf8(column->name), stored.type, stored.scale});
    }
    rowCountHint_ = table->num_rows;
}

MdbTableScan::~MdbTableScan()
{
    if (table_) mdb_free_tabledef(static_cast<MdbTableDef*>(table_));
}

void MdbTableScan::forEachRow(const RowVisitor& row)
{
    auto* mdb = static_cast<MdbHandle*>(mdb_);
    auto* table = static_cast<MdbTableDef*>(table_);
    const unsigned count = table->num_cols;
    std::vector<MdbField> cracked(count);
    std::vector<StoredField> fields(count);
    mdb_rewind_table(table);
    while (mdb_fetch_row(table)) {
        // mdb_fetch_row leaves the row it read on the page buffer, one before
        // cur_row; crack it again to reach the null mask and the raw bytes.
        int start = 0;
        size_t length = 0;
        if (table->cur_row == 0 || mdb_find_row(mdb, static_cast<int>(table->cur_row - 1), &start, &length) != 0) continue;
        if (mdb_crack_row(table, start & 0x1FFF, length, cracked.data()) < 0) continue;
        for (unsigned i = 0; i < count; ++i) fields[i] = StoredField{columns_[i].type, columns_[i].scale, false, {}};
        for (const MdbField& field : cracked) {
            if (field.colnum < 0 || static_cast<unsigned>(field.colnum) >= count) continue;
            StoredField& stored = fields[static_cast<unsigned>(field.colnum)];
            stored.present = !field.is_null;
            if (field.is_null || field.siz <= 0 || field.start < 0 ||
                static_cast<std::size_t>(field.start) + static_cast<std::size_t>(field.siz) > MDB_PGSIZE)
                continue;
            stored.bytes = {static_cast<const std::uint8_t*>(field.value), static_cast<std::size_t>(field.siz)};
        }
        row(fields);
    }
}

}  // namespace corvane::jet

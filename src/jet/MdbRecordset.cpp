#include "MdbRecordset.h"

#include "JetFileCheck.h"
#include "JetText.h"
#include "automation/CaseFold.h"
#include "server/DataLayerErrors.h"

#include <glib.h>
#include <mdbtools.h>

#include <cstring>

namespace corvane::jet {
namespace {

using automation::Variant;

MdbCatalogEntry* findTable(MdbHandle* mdb, std::u16string_view name)
{
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type == MDB_TABLE && automation::equalIgnoringCase(fromUtf8(entry->object_name), name))
            return entry;
    }
    return nullptr;
}

bool hasIndex(MdbTableDef* table, std::u16string_view name)
{
    if (!table->indices) return false;
    for (unsigned i = 0; i < table->indices->len; ++i) {
        auto* index = static_cast<MdbIndex*>(g_ptr_array_index(table->indices, i));
        if (automation::equalIgnoringCase(fromUtf8(index->name), name)) return true;
    }
    return false;
}

template <class T>
bool readRaw(const MdbField& field, T& out)
{
    if (field.siz < static_cast<int>(sizeof(T)) || field.start < 0 ||
        static_cast<std::size_t>(field.start) + sizeof(T) > MDB_PGSIZE)
        return false;
    std::memcpy(&out, field.value, sizeof(T));
    return true;
}

// The value of a cracked field as the data layer hands it out: typed as the
// column is, Null for an empty field.
Variant valueOf(MdbHandle* mdb, const MdbColumn& column, const MdbField& field)
{
    if (column.col_type == MDB_BOOL) return Variant::boolean(!field.is_null);  // kept in the null mask
    if (field.is_null) return Variant::null();
    switch (column.col_type) {
    case MDB_BYTE: {
        std::uint8_t v = 0;
        return readRaw(field, v) ? Variant(v) : Variant::null();
    }
    case MDB_INT: {
        std::int16_t v = 0;
        return readRaw(field, v) ? Variant(v) : Variant::null();
    }
    case MDB_LONGINT: {
        std::int32_t v = 0;
        return readRaw(field, v) ? Variant(v) : Variant::null();
    }
    case MDB_MONEY: {
        std::int64_t v = 0;
        return readRaw(field, v) ? Variant::currency(v) : Variant::null();
    }
    case MDB_FLOAT: {
        float v = 0;
        return readRaw(field, v) ? Variant(v) : Variant::null();
    }
    case MDB_DOUBLE: {
        double v = 0;
        return readRaw(field, v) ? Variant(v) : Variant::null();
    }
    case MDB_DATETIME: {
        double v = 0;
        return readRaw(field, v) ? Variant::date(v) : Variant::null();
    }
    case MDB_TEXT:
        if (field.siz < 0 || field.start < 0 || static_cast<std::size_t>(field.start) + static_cast<std::size_t>(field.siz) > MDB_PGSIZE)
            return Variant::null();
        return Variant(decodeText(static_cast<const std::uint8_t*>(field.value), static_cast<std::size_t>(field.siz)));
    default: {
        // Memo, binary, OLE, GUID and decimal fields: libmdb's own text form.
        char* text = mdb_col_to_string(mdb, mdb->pg_buf, field.start, column.col_type, field.siz);
        if (!text) return Variant::null();
        Variant value(fromUtf8(text));
        g_free(text);
        return value;
    }
    }
}

// Reads every row of `table` (its columns already read) into `rows`.
void readRows(MdbHandle* mdb, MdbTableDef* table, std::vector<std::vector<Variant>>& rows)
{
    const unsigned count = table->num_cols;
    std::vector<MdbField> fields(count);
    mdb_rewind_table(table);
    while (mdb_fetch_row(table)) {
        // mdb_fetch_row leaves the row it read on the page buffer, one before
        // cur_row; crack it again to see the null mask and the raw bytes.
        int start = 0;
        size_t length = 0;
        if (table->cur_row == 0 || mdb_find_row(mdb, static_cast<int>(table->cur_row - 1), &start, &length) != 0) continue;
        const int cracked = mdb_crack_row(table, start & 0x1FFF, length, fields.data());
        if (cracked < 0) continue;
        std::vector<Variant> row(count, Variant::null());
        std::vector<const MdbField*> deferred;  // fields libmdb converts itself may reread pages: do them last
        for (unsigned i = 0; i < count; ++i) {
            const MdbField& field = fields[i];
            if (field.colnum < 0 || static_cast<unsigned>(field.colnum) >= count) continue;
            const auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, field.colnum));
            const bool native = column->col_type <= MDB_TEXT && column->col_type != MDB_BINARY;
            if (native)
                row[field.colnum] = valueOf(mdb, *column, field);
            else
                deferred.push_back(&field);
        }
        for (const MdbField* field : deferred)
            row[field->colnum] = valueOf(mdb, *static_cast<MdbColumn*>(g_ptr_array_index(table->columns, field->colnum)), *field);
        rows.push_back(std::move(row));
    }
}

}  // namespace

MdbRecordset::MdbRecordset(std::shared_ptr<MdbSession> session) : session_(std::move(session)) {}

void MdbRecordset::open(std::u16string_view tableName, std::u16string_view indexName)
{
    requireClosed();
    auto* mdb = static_cast<MdbHandle*>(session_->handle);
    if (!mdb) throw data_layer::connectionUnusable();
    MdbCatalogEntry* entry = findTable(mdb, tableName);
    if (!entry) throw data_layer::tableNotFound(tableName);
    if (JetFileCheck(session_->file).checkTable(static_cast<std::uint32_t>(entry->table_pg)))
        throw data_layer::unrecognizedFormat(session_->path);

    MdbTableDef* table = mdb_read_table(entry);
    if (!table) throw data_layer::unrecognizedFormat(session_->path);
    struct Release {
        MdbTableDef* table;
        ~Release() { mdb_free_tabledef(table); }
    } release{table};
    if (!mdb_read_columns(table)) throw data_layer::unrecognizedFormat(session_->path);
    mdb_read_indices(table);
    if (!indexName.empty() && !hasIndex(table, indexName)) throw data_layer::indexNotFound(indexName);

    std::vector<std::u16string> names;
    for (unsigned i = 0; i < table->num_cols; ++i)
        names.push_back(fromUtf8(static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i))->name));
    std::vector<std::vector<Variant>> rows;
    readRows(mdb, table, rows);

    fill(std::move(names), std::move(rows));
}

}  // namespace corvane::jet

#include "SnapshotRecordset.h"

#include "FieldValue.h"
#include "MalformedFile.h"
#include "automation/CaseFold.h"
#include "server/DataLayerErrors.h"

#include <algorithm>

namespace corvane::jet {

void SnapshotRecordset::requireClosed() const
{
    if (open_) throw data_layer::objectOpen();
}

void SnapshotRecordset::requireOpen() const
{
    if (!open_) throw data_layer::objectClosed();
}

void SnapshotRecordset::fill(std::vector<std::u16string> names, std::vector<std::vector<automation::Variant>> rows)
{
    names_ = std::move(names);
    rows_ = std::move(rows);
    position_ = 0;
    open_ = true;
}

void SnapshotRecordset::fill(TableScan& scan, std::u16string_view path)
{
    std::vector<std::u16string> names;
    for (const ScannedColumn& column : scan.columns()) names.push_back(column.name);
    std::vector<std::vector<automation::Variant>> rows;
    // A row takes at least a few bytes of some page: a damaged count cannot ask for more.
    rows.reserve(std::min<std::size_t>(scan.rowCountHint(), scan.file().pageCount() * 256));
    try {
        scan.forEachRow([&](std::span<const StoredField> fields) {
            auto& row = rows.emplace_back();
            row.reserve(fields.size());
            for (const StoredField& field : fields) row.push_back(fieldValue(field, scan.file()));
        });
    } catch (const MalformedFile&) {
        throw data_layer::unrecognizedFormat(path);
    }
    fill(std::move(names), std::move(rows));
}

void SnapshotRecordset::moveFirst()
{
    requireOpen();
    if (rows_.empty()) throw data_layer::noCurrentRecord();
    position_ = 0;
}

bool SnapshotRecordset::eof() const
{
    requireOpen();
    return position_ >= rows_.size();
}

std::vector<std::u16string> SnapshotRecordset::fieldNames() const
{
    requireOpen();
    return names_;
}

const automation::Variant& SnapshotRecordset::field(std::u16string_view name) const
{
    requireOpen();
    for (std::size_t i = 0; i < names_.size(); ++i) {
        // The load asks for each field of every row by its name as the table
        // spells it: the exact comparison settles that without folding.
        if (names_[i] != name && !automation::equalIgnoringCase(names_[i], name)) continue;
        if (position_ >= rows_.size()) throw data_layer::noCurrentRecord();
        return rows_[position_][i];
    }
    throw data_layer::itemNotFound();
}

void SnapshotRecordset::moveNext()
{
    requireOpen();
    if (position_ >= rows_.size()) throw data_layer::noCurrentRecord();
    ++position_;
}

std::vector<std::vector<automation::Variant>> SnapshotRecordset::takeRows()
{
    requireOpen();
    std::vector<std::vector<automation::Variant>> rows = std::move(rows_);
    close();
    return rows;
}

void SnapshotRecordset::close()
{
    requireOpen();
    open_ = false;
    names_.clear();
    rows_.clear();
    position_ = 0;
}

}  // namespace corvane::jet

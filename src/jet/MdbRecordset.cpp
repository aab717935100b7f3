#include "MdbRecordset.h"

#include "FieldValue.h"
#include "MalformedFile.h"
#include "MdbTableScan.h"
#include "server/DataLayerErrors.h"

#include <algorithm>

namespace corvane::jet {

MdbRecordset::MdbRecordset(std::shared_ptr<MdbSession> session) : session_(std::move(session)) {}

void MdbRecordset::open(std::u16string_view tableName, std::u16string_view indexName)
{
    requireClosed();
    MdbTableScan scan(*session_, tableName, indexName);
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
        throw data_layer::unrecognizedFormat(session_->path);
    }
    fill(std::move(names), std::move(rows));
}

}  // namespace corvane::jet

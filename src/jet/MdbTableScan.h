#pragma once

#include "MdbConnection.h"
#include "TableScan.h"

#include <string>
#include <string_view>
#include <vector>

namespace corvane::jet {

// One table of an open libmdb session, read row by row: libmdb finds the
// rows (skipping deleted ones and the pointers rows leave when they move)
// and splits each into its fields; the fields' bytes are read by our own
// code (FieldValue, FieldText), with long values read from the file itself.
class MdbTableScan final : public TableScan {
public:
    // Opens table `table` (case ignored) and checks that it has the index
    // `index` (none asked for when empty). Fails with the data layer's errors
    // for a closed session, a missing table or index, or a damaged definition.
    MdbTableScan(const MdbSession& session, std::u16string_view table, std::u16string_view index);
    ~MdbTableScan() override;
    MdbTableScan(const MdbTableScan&) = delete;
    MdbTableScan& operator=(const MdbTableScan&) = delete;

    const std::vector<ScannedColumn>& columns() const override { return columns_; }
    std::size_t rowCountHint() const override { return rowCountHint_; }
    void forEachRow(const RowVisitor& row) override;
    PageFile& file() override { return file_; }

private:
    void* mdb_ = nullptr;    // MdbHandle*: libmdb's headers stay in the .cpp file
    void* table_ = nullptr;  // MdbTableDef*
    std::u16string path_;
    PageFile file_;
    std::vector<ScannedColumn> columns_;
    std::size_t rowCountHint_ = 0;
};

}  // namespace corvane::jet

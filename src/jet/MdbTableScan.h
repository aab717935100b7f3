#pragma once

#include "MdbConnection.h"
#include "PageFile.h"
#include "StoredField.h"

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::jet {

struct ScannedColumn {
    std::u16string name;
    std::uint8_t type = 0;
    std::uint8_t scale = 0;
};

// One table of an open libmdb session, read row by row: libmdb finds the
// rows (skipping deleted ones and the pointers rows leave when they move)
// and splits each into its fields; the fields' bytes are read by our own
// code (FieldValue, FieldText), with long values read from the file itself.
class MdbTableScan {
public:
    // Opens table `table` (case ignored) and checks that it has the index
    // `index` (none asked for when empty). Fails with the data layer's errors
    // for a closed session, a missing table or index, or a damaged definition.
    MdbTableScan(const MdbSession& session, std::u16string_view table, std::u16string_view index);
    ~MdbTableScan();
    MdbTableScan(const MdbTableScan&) = delete;
    MdbTableScan& operator=(const MdbTableScan&) = delete;

    const std::vector<ScannedColumn>& columns() const { return columns_; }
    // How many rows the table's definition counts (a hint only).
    std::size_t rowCountHint() const { return rowCountHint_; }
    // Calls `row` with the fields of each row in column order; the spans
    // last only for the call.
    void forEachRow(const std::function<void(std::span<const StoredField>)>& row);
    // The file the long values are read from.
    PageFile& file() { return file_; }

private:
    void* mdb_ = nullptr;    // MdbHandle*: libmdb's headers stay in the .cpp file
    void* table_ = nullptr;  // MdbTableDef*
    std::u16string path_;
    PageFile file_;
    std::vector<ScannedColumn> columns_;
    std::size_t rowCountHint_ = 0;
};

}  // namespace corvane::jet

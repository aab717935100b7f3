#pragma once

#include "PageFile.h"
#include "StoredField.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace corvane::jet {

struct ScannedColumn {
    std::u16string name;
    std::uint8_t type = 0;
    std::uint8_t scale = 0;
};

// One table of an open database, read row by row as stored fields. Our own
// reader and the one over libmdb both give this shape, so the snapshot and
// the dump are built the same way from either.
class TableScan {
public:
    using RowVisitor = std::function<void(std::span<const StoredField>)>;

    virtual ~TableScan() = default;

    // The columns in the order of their numbers.
    virtual const std::vector<ScannedColumn>& columns() const = 0;
    // How many rows the table's definition counts (a hint only).
    virtual std::size_t rowCountHint() const = 0;
    // Calls `row` with the fields of each row in column order; the spans
    // last only for the call. Raises MalformedFile for a damaged row.
    virtual void forEachRow(const RowVisitor& row) = 0;
    // The file the long values are read from.
    virtual PageFile& file() = 0;
};

}  // namespace corvane::jet

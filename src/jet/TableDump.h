#pragma once

#include "TableScan.h"

#include <string>
#include <string_view>

namespace corvane::jet {

// A scanned table as CSV: a header line of the column names, then a line per
// row with each field as FieldText shows it. A damaged row or long value
// fails with "unrecognized database format" naming the file at `path`.
std::string dumpTable(TableScan& scan, std::u16string_view path);

}  // namespace corvane::jet

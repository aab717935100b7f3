#pragma once

#include "MdbConnection.h"

#include <string>
#include <string_view>

namespace corvane::jet {

// Table `table` of an open session as CSV: a header line of the column names,
// then a line per row with each field as FieldText shows it. Fails with the
// data layer's errors, and with "unrecognized database format" for a damaged
// long value.
std::string dumpTable(const MdbSession& session, std::u16string_view table);

}  // namespace corvane::jet

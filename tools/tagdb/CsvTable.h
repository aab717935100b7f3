#pragma once

#include "Csv.h"
#include "JetSchema.h"

#include <string>
#include <vector>

namespace corvane::tagdb {

// A column named in a CSV header: "Name" or "Name:type", the type one of
// text, text(N) (N characters, 1 to 255), memo, byte, integer, long, single,
// double, currency or decimal(P,S) (P digits, S of them after the point). A
// column without a type is text of up to 255 characters, except Value
// (double) and Confidence (long), the types of the tag database.
jet::ColumnSpec parseColumnHeader(const std::string& header);

// The table `name` from CSV records (the first is the header): unquoted
// empty fields are Null, quoted ones text; numbers are read with a decimal
// point whatever the locale, currency amounts and decimals exactly. Raises CsvError naming the line and column of a
// value that does not fit its column, and for a record with the wrong number
// of fields.
jet::TableSpec tableFromCsv(const std::u16string& name, const std::vector<CsvRecord>& records);

}  // namespace corvane::tagdb

#pragma once

#include <istream>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::tagdb {

// A field as the CSV text gave it: quoted or not matters, because an
// unquoted empty field is Null and a quoted one ("") the empty text.
struct CsvField {
    std::string text;  // UTF-8
    bool quoted = false;
};

struct CsvRecord {
    std::size_t line = 0;  // where the record starts, from 1
    std::vector<CsvField> fields;
};

class CsvError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads RFC 4180 CSV (commas, double quotes doubled inside quoted fields,
// line breaks inside them allowed, CRLF or LF, an optional UTF-8 byte order
// mark). Blank lines are skipped. Raises CsvError for an unterminated quote
// or text after a closing quote.
std::vector<CsvRecord> readCsv(std::istream& in);

}  // namespace corvane::tagdb

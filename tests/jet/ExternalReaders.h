#pragma once

#include "Csv.h"
#include "JetSchema.h"

#include <filesystem>
#include <string>
#include <vector>

namespace corvane::test {

// The ways a database file is read back in the round-trip tests: mdbtools'
// mdb-export, the npm package mdb-reader (through tests/npm/read-mdb.mjs) and
// our own dump through the data layer. Each gives the table as CSV records.
enum class Reader { MdbExport, MdbReader, OwnDump };
const char* readerName(Reader reader);

std::vector<tagdb::CsvRecord> readTable(Reader reader, const std::filesystem::path& file, const std::string& table);
std::vector<std::string> listTables(Reader reader, const std::filesystem::path& file);

// Runs corvanesim-tagdb with `args`; its exit code, stdout and stderr go to the result.
struct ToolResult {
    int exitCode = -1;
    std::string output;
};
ToolResult runTagDbTool(const std::vector<std::string>& args);

// Differences between what a reader gave and the table as written, one line
// each (empty when they agree value for value). Text must match exactly,
// Null must stay Null (an unquoted empty field; mdb-export prints the empty
// text so too), numbers must be the stored
// value: exactly for the readers that print it exactly, within the printed
// precision for mdb-export (16 significant digits for doubles, 8 for singles).
std::vector<std::string> compareTable(const jet::TableSpec& expected, const std::vector<tagdb::CsvRecord>& actual, Reader reader);

}  // namespace corvane::test

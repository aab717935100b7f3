#include "ExternalReaders.h"

#include "JetText.h"
#include "TestFiles.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace corvane::test {
namespace {

std::vector<tagdb::CsvRecord> parse(const std::string& text)
{
    std::istringstream in(text);
    return tagdb::readCsv(in);
}

std::string describe(const jet::Cell& cell)
{
    if (!cell) return "Null";
    if (const auto* text = std::get_if<std::u16string>(&*cell)) return "\"" + jet::toUtf8(*text) + "\"";
    if (const auto* real = std::get_if<double>(&*cell)) return std::to_string(*real);
    return std::to_string(std::get<std::int64_t>(*cell));
}

bool sameNumber(double expected, const std::string& printed, jet::ColumnType type, Reader reader)
{
    char* end = nullptr;
    const double actual = std::strtod(printed.c_str(), &end);
    if (printed.empty() || *end != '\0') return false;
    const double stored = type == jet::ColumnType::Single ? static_cast<double>(static_cast<float>(expected)) : expected;
    // Our dump prints a single in the shortest form that reads back as that single.
    if (reader == Reader::OwnDump && type == jet::ColumnType::Single) return static_cast<float>(actual) == static_cast<float>(stored);
    if (reader != Reader::MdbExport) return actual == stored;
    const double tolerance = type == jet::ColumnType::Single ? 1e-7 : 1e-15;
    return std::fabs(actual - stored) <= tolerance * std::fabs(stored);
}

// The same decimal number, whatever trailing zeros either prints.
bool sameDecimal(std::string written, std::string printed)
{
    const auto normal = [](std::string text) {
        if (text.find('.') != std::string::npos) {
            while (text.back() == '0') text.pop_back();
            if (text.back() == '.') text.pop_back();
        }
        return text == "-0" ? std::string("0") : text;
    };
    return !printed.empty() && normal(std::move(written)) == normal(std::move(printed));
}

}  // namespace

const char* readerName(Reader reader)
{
    switch (reader) {
    case Reader::MdbExport: return "mdb-export";
    case Reader::MdbReader: return "mdb-reader";
    case Reader::OwnDump: return "corvanesim-tagdb dump";
    }
    return "?";
}

std::vector<tagdb::CsvRecord> readTable(Reader reader, const std::filesystem::path& file, const std::string& table)
{
    std::string output;
    if (reader == Reader::MdbExport) {
        output = runCommand("mdb-export " + shellQuote(file.string()) + " " + shellQuote(table) + " 2>/dev/null").output;
    } else if (reader == Reader::MdbReader) {
        output = runCommand("node " + shellQuote(CORVANE_READ_MDB_SCRIPT) + " " + shellQuote(file.string()) + " dump " +
                            shellQuote(table) + " 2>&1")
                     .output;
    } else {
        // Its standard output only: a summary of the reader's messages may follow on standard error.
        output = runCommand(shellQuote(CORVANE_TAGDB) + " dump " + shellQuote(file.string()) + " " + shellQuote(table) + " 2>/dev/null").output;
    }
    return parse(output);
}

std::vector<std::string> listTables(Reader reader, const std::filesystem::path& file)
{
    std::string output;
    if (reader == Reader::MdbExport)
        output = runCommand("mdb-tables -1 " + shellQuote(file.string()) + " 2>/dev/null").output;
    else if (reader == Reader::MdbReader)
        output = runCommand("node " + shellQuote(CORVANE_READ_MDB_SCRIPT) + " " + shellQuote(file.string()) + " list 2>&1").output;
    else
        output = runTagDbTool({"list", file.string()}).output;
    std::vector<std::string> names;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) names.push_back(line);
    return names;
}

ToolResult runTagDbTool(const std::vector<std::string>& args)
{
    std::string command = shellQuote(CORVANE_TAGDB);
    for (const std::string& arg : args) command += " " + shellQuote(arg);
    const CommandResult result = runCommand(command + " 2>&1");
    return {result.exitCode, result.output};
}

std::vector<std::string> compareTable(const jet::TableSpec& expected, const std::vector<tagdb::CsvRecord>& actual, Reader reader)
{
    std::vector<std::string> differences;
    const auto report = [&](const std::string& what) {
        if (differences.size() < 10) differences.push_back(std::string(readerName(reader)) + ": " + what);
    };
    if (actual.empty()) {
        report("no output");
        return differences;
    }
    const auto& header = actual.front().fields;
    if (header.size() != expected.columns.size()) report("header has " + std::to_string(header.size()) + " fields");
    for (std::size_t c = 0; c < std::min(header.size(), expected.columns.size()); ++c)
        if (jet::fromUtf8(header[c].text) != expected.columns[c].name) report("column " + std::to_string(c) + " is " + header[c].text);
    if (actual.size() - 1 != expected.rows.size())
        report(std::to_string(actual.size() - 1) + " rows, written " + std::to_string(expected.rows.size()));

    for (std::size_t r = 0; r + 1 < actual.size() && r < expected.rows.size(); ++r) {
        const auto& fields = actual[r + 1].fields;
        for (std::size_t c = 0; c < expected.columns.size(); ++c) {
            const jet::Cell& cell = expected.rows[r][c];
            const std::string where = "row " + std::to_string(r + 1) + " column " + jet::toUtf8(expected.columns[c].name);
            if (c >= fields.size()) {
                report(where + " is missing");
                continue;
            }
            const tagdb::CsvField& field = fields[c];
            const jet::ColumnType type = expected.columns[c].type;
            bool same = false;
            if (!cell) same = field.text.empty() && !field.quoted;
            else if (type == jet::ColumnType::Currency || type == jet::ColumnType::Decimal)
                // Written as exact decimal text; every reader prints the digits of its scale.
                same = sameDecimal(jet::toUtf8(std::get<std::u16string>(*cell)), field.text);
            else if (const auto* text = std::get_if<std::u16string>(&*cell))
                // mdb-export prints a zero-length text as it prints Null.
                same = (field.quoted || (reader == Reader::MdbExport && text->empty())) && jet::fromUtf8(field.text) == *text;
            else if (const auto* whole = std::get_if<std::int64_t>(&*cell))
                same = sameNumber(static_cast<double>(*whole), field.text, expected.columns[c].type, reader);
            else same = sameNumber(std::get<double>(*cell), field.text, expected.columns[c].type, reader);
            if (!same) report(where + ": read " + (field.quoted ? "\"" + field.text + "\"" : field.text) + ", written " + describe(cell));
        }
    }
    return differences;
}

}  // namespace corvane::test

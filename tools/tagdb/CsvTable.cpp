#include "CsvTable.h"

#include "JetDecimal.h"
#include "JetText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace corvane::tagdb {
namespace {

using jet::ColumnType;

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return text;
}

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool isWholeType(ColumnType type) { return type == ColumnType::Byte || type == ColumnType::Integer || type == ColumnType::Long; }

// Currency and Decimal values stay the decimal text they were given, so
// that the writer stores them exactly.
jet::Value exactDecimal(const std::string& text, std::uint8_t precision, std::uint8_t scale, const std::string& where)
{
    const std::string plain = !text.empty() && text[0] == '+' ? text.substr(1) : text;
    if (!jet::JetDecimal::fromText(plain, precision, scale))
        throw CsvError(where + "'" + text + "' is not a number of at most " + std::to_string(precision) + " digits, " +
                       std::to_string(scale) + " after the point");
    return jet::fromUtf8(plain);
}

jet::Value parseValue(const jet::ColumnSpec& column, const CsvField& field, const std::string& where)
{
    if (column.type == ColumnType::Text || column.type == ColumnType::Memo) return jet::fromUtf8(field.text);
    const std::string text = trimmed(field.text);
    if (column.type == ColumnType::Currency) return exactDecimal(text, 19, 4, where);
    if (column.type == ColumnType::Decimal) return exactDecimal(text, column.precision, column.scale, where);
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    if (!text.empty() && *begin == '+') ++begin;
    if (isWholeType(column.type)) {
        std::int64_t whole = 0;
        const auto [stop, error] = std::from_chars(begin, end, whole);
        if (error != std::errc() || stop != end || begin == end)
            throw CsvError(where + "'" + field.text + "' is not a whole number");
        return whole;
    }
    double real = 0;
    const auto [stop, error] = std::from_chars(begin, end, real);
    if (error == std::errc::result_out_of_range) throw CsvError(where + "'" + field.text + "' is beyond the double range");
    if (error != std::errc() || stop != end || begin == end || !std::isfinite(real))
        throw CsvError(where + "'" + field.text + "' is not a number");
    return real;
}

}  // namespace

jet::ColumnSpec parseColumnHeader(const std::string& header)
{
    const auto colon = header.rfind(':');
    jet::ColumnSpec column;
    column.name = jet::fromUtf8(trimmed(header.substr(0, colon)));
    if (colon == std::string::npos) {
        const std::u16string& name = column.name;
        column.type = name == u"Value" ? ColumnType::Double : name == u"Confidence" ? ColumnType::Long : ColumnType::Text;
        return column;
    }
    const std::string type = lower(trimmed(header.substr(colon + 1)));
    if (type == "text") {
        column.type = ColumnType::Text;
    } else if (type.starts_with("text(") && type.ends_with(")")) {
        column.type = ColumnType::Text;
        int length = 0;
        const auto [stop, error] = std::from_chars(type.data() + 5, type.data() + type.size() - 1, length);
        if (error != std::errc() || stop != type.data() + type.size() - 1 || length < 1 || length > 255)
            throw CsvError("column '" + header + "': a text length is 1 to 255");
        column.maxLength = static_cast<std::uint16_t>(length);
    } else if (type == "byte") {
        column.type = ColumnType::Byte;
    } else if (type == "integer") {
        column.type = ColumnType::Integer;
    } else if (type == "long") {
        column.type = ColumnType::Long;
    } else if (type == "single") {
        column.type = ColumnType::Single;
    } else if (type == "double") {
        column.type = ColumnType::Double;
    } else if (type == "currency") {
        column.type = ColumnType::Currency;
    } else if (type == "memo") {
        column.type = ColumnType::Memo;
    } else if (type.starts_with("decimal(") && type.ends_with(")")) {
        column.type = ColumnType::Decimal;
        const std::string sizes = type.substr(8, type.size() - 9);
        const auto comma = sizes.find(',');
        int precision = 0, scale = 0;
        const auto number = [](const std::string& digits, int& out) {
            const auto [stop, error] = std::from_chars(digits.data(), digits.data() + digits.size(), out);
            return error == std::errc() && stop == digits.data() + digits.size() && !digits.empty();
        };
        if (comma == std::string::npos || !number(trimmed(sizes.substr(0, comma)), precision) ||
            !number(trimmed(sizes.substr(comma + 1)), scale) || precision < 1 || precision > 28 || scale < 0 || scale > precision)
            throw CsvError("column '" + header + "': decimal(P,S) needs a precision P of 1 to 28 and a scale S of 0 to P");
        column.precision = static_cast<std::uint8_t>(precision);
        column.scale = static_cast<std::uint8_t>(scale);
    } else {
        throw CsvError("column '" + header + "': unknown type '" + type +
                       "' (text, text(N), memo, byte, integer, long, single, double, currency, decimal(P,S))");
    }
    return column;
}

jet::TableSpec tableFromCsv(const std::u16string& name, const std::vector<CsvRecord>& records)
{
    if (records.empty()) throw CsvError("no header line");
    jet::TableSpec table;
    table.name = name;
    for (const CsvField& header : records.front().fields) table.columns.push_back(parseColumnHeader(header.text));

    table.rows.reserve(records.size() - 1);
    for (std::size_t r = 1; r < records.size(); ++r) {
        const CsvRecord& record = records[r];
        const std::string line = "line " + std::to_string(record.line);
        if (record.fields.size() != table.columns.size())
            throw CsvError(line + ": " + std::to_string(record.fields.size()) + " fields, the header has " +
                           std::to_string(table.columns.size()));
        jet::Row row(table.columns.size());
        for (std::size_t c = 0; c < table.columns.size(); ++c) {
            const CsvField& field = record.fields[c];
            if (field.text.empty() && !field.quoted) continue;  // Null
            row[c] = parseValue(table.columns[c], field, line + ", column '" + jet::toUtf8(table.columns[c].name) + "': ");
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

}  // namespace corvane::tagdb

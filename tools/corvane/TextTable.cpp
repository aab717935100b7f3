#include "TextTable.h"

#include <algorithm>

namespace corvane::cli {

namespace {

// Display width of UTF-8 text: one per character, not per byte.
std::size_t widthOf(const std::string& text)
{
    return std::size_t(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string csvField(const std::string& field)
{
    if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
    std::string quoted = "\"";
    for (char c : field) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

}  // namespace

void TextTable::printAligned(std::ostream& out) const
{
    std::vector<std::size_t> widths;
    for (const Column& column : columns_) widths.push_back(widthOf(column.caption));
    for (const auto& row : rows_)
        for (std::size_t c = 0; c < row.size() && c < widths.size(); ++c) widths[c] = std::max(widths[c], widthOf(row[c]));

    const auto print = [&](const std::vector<std::string>& cells) {
        std::string line;
        for (std::size_t c = 0; c < columns_.size(); ++c) {
            const std::string cell = c < cells.size() ? cells[c] : std::string();
            const std::string padding(widths[c] - widthOf(cell), ' ');
            if (c > 0) line += "  ";
            line += columns_[c].align == Align::Right ? padding + cell : cell + padding;
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out << line << '\n';
    };
    std::vector<std::string> captions;
    for (const Column& column : columns_) captions.push_back(column.caption);
    print(captions);
    for (const auto& row : rows_) print(row);
}

void TextTable::printCsv(std::ostream& out) const
{
    const auto print = [&out](const std::vector<std::string>& cells) {
        for (std::size_t c = 0; c < cells.size(); ++c) out << (c ? "," : "") << csvField(cells[c]);
        out << '\n';
    };
    std::vector<std::string> captions;
    for (const Column& column : columns_) captions.push_back(column.caption);
    print(captions);
    for (const auto& row : rows_) print(row);
}

}  // namespace corvane::cli

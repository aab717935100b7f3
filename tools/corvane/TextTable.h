#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace corvane::cli {

// Rows under a caption row, printed as aligned columns (numbers to the
// right) or as CSV.
class TextTable {
public:
    enum class Align { Left, Right };
    struct Column {
        std::string caption;
        Align align = Align::Left;
    };

    explicit TextTable(std::vector<Column> columns) : columns_(std::move(columns)) {}

    void add(std::vector<std::string> row) { rows_.push_back(std::move(row)); }
    bool empty() const { return rows_.empty(); }

    // Columns two blanks apart, without trailing blanks.
    void printAligned(std::ostream& out) const;
    // Comma-separated, one row a line; a field with a comma, quote or line
    // break is quoted, its quotes doubled.
    void printCsv(std::ostream& out) const;

private:
    std::vector<Column> columns_;
    std::vector<std::vector<std::string>> rows_;
};

}  // namespace corvane::cli

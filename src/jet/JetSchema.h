#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace corvane::jet {

// Column types as a Jet 4 table definition numbers them.
enum class ColumnType : std::uint8_t {
    Boolean = 1,
    Byte = 2,
    Integer = 3,
    Long = 4,
    Currency = 5,
    Single = 6,
    Double = 7,
    DateTime = 8,
    Binary = 9,
    Text = 10,
    Ole = 11,
    Memo = 12,
    Guid = 15,
    Decimal = 16,
};

struct ColumnSpec {
    std::u16string name;
    ColumnType type = ColumnType::Text;
    // Text: the most characters a value may hold (1 to 255); Binary: bytes.
    std::uint16_t maxLength = 255;
    // Decimal: digits in all (1 to 28) and after the point (0 to the precision).
    std::uint8_t precision = 18;
    std::uint8_t scale = 0;
};

// One value of a row; an empty optional is Null. Whole numbers go to Byte,
// Integer, Long, Currency and Decimal columns, doubles to Single, Double,
// DateTime (an Automation date), Currency and Decimal, text to Text and Memo
// columns, and decimal text ("-12.50") to Currency and Decimal columns,
// exactly. Binary and OLE columns only take Null here: the catalog needs
// them, no table of ours fills them.
using Value = std::variant<std::int64_t, double, std::u16string>;
using Cell = std::optional<Value>;
using Row = std::vector<Cell>;

// The table's one index: unique, required, ascending, on one column.
struct IndexSpec {
    std::u16string name = u"PrimaryKey";
    std::u16string column;
    // The table's primary key (as files that name their index "PrimaryKey"
    // have it), or a plain unique index.
    bool primaryKey = true;
};

struct TableSpec {
    std::u16string name;
    std::vector<ColumnSpec> columns;
    std::vector<Row> rows;
    std::optional<IndexSpec> index;
};

struct DatabaseSpec {
    std::vector<TableSpec> tables;
    // Stored in the header; fixed by default so that the same input gives
    // the same bytes.
    double creationDate = 45000.0;
};

// Input that cannot be written (a value that does not fit its column, a
// duplicate key, too many tables...). The message says which and where.
class WriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace corvane::jet

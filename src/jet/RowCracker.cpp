#include "RowCracker.h"

#include "MalformedFile.h"

namespace corvane::jet {
namespace {

constexpr std::uint8_t kBoolean = 0x01;

}  // namespace

std::vector<CrackedField> crackRow(const StoredTableDefinition& table, std::span<const std::uint8_t> row)
{
    if (row.size() < 2) throw MalformedFile("a row is cut short");
    const std::size_t columns = u16At(row, 0);
    const std::size_t maskSize = (columns + 7) / 8;
    if (row.size() < 2 + maskSize) throw MalformedFile("a row's null mask does not fit it");
    const auto mask = row.subspan(row.size() - maskSize);
    const auto isSet = [&](std::size_t number) { return number < columns && ((mask[number / 8] >> (number % 8)) & 1); };

    // The variable-length table, read backwards from the null mask: the
    // count, each slot's start, then where the last slot ends.
    std::size_t variable = 0;
    std::vector<std::size_t> starts;
    if (table.variableColumns > 0) {
        const std::size_t countAt = row.size() - maskSize - 2;
        variable = u16At(row, countAt);
        if (countAt < 2 * (variable + 1) + 2) throw MalformedFile("a row's variable-length table does not fit it");
        for (std::size_t k = 0; k <= variable; ++k) {
            starts.push_back(u16At(row, countAt - 2 * (k + 1)));
            if (starts.back() > countAt - 2 * (variable + 1) || (k > 0 && starts[k] < starts[k - 1]))
                throw MalformedFile("a row's variable-length offsets do not fit it");
        }
    }

    std::vector<CrackedField> fields;
    fields.reserve(table.columns.size());
    for (const StoredColumn& column : table.columns) {
        CrackedField field;
        field.present = isSet(column.number);
        if (column.type == kBoolean || !field.present) {
            fields.push_back(field);
            continue;
        }
        if (column.fixed()) {
            if (2 + std::size_t{column.fixedOffset} + column.size > row.size()) throw MalformedFile("a fixed field lies beyond its row");
            field.bytes = row.subspan(2 + column.fixedOffset, column.size);
        } else if (column.variableIndex < variable) {
            const std::size_t start = starts[column.variableIndex];
            field.bytes = row.subspan(start, starts[column.variableIndex + 1] - start);
        } else {
            field.present = false;
        }
        fields.push_back(field);
    }
    return fields;
}

}  // namespace corvane::jet

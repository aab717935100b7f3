#include "TableLayout.h"

#include "JetFormat.h"
#include "JetText.h"
#include "ValueEncoding.h"

#include <string>

namespace corvane::jet {
namespace {

std::u16string folded(std::u16string_view text)
{
    std::u16string out(text);
    for (char16_t& c : out)
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
    return out;
}

}  // namespace

TableLayout::TableLayout(std::u16string_view tableName, const std::vector<ColumnSpec>& columns) : tableName_(tableName)
{
    const std::string table = "table '" + toUtf8(tableName) + "'";
    if (tableName.empty()) throw WriteError("a table needs a name");
    if (columns.empty()) throw WriteError(table + " has no columns");
    std::uint16_t number = 0;
    for (const ColumnSpec& declared : columns) {
        if (declared.name.empty()) throw WriteError(table + ": a column needs a name");
        if (find(declared.name)) throw WriteError(table + ": column '" + toUtf8(declared.name) + "' appears twice");
        ColumnLayout column;
        column.declared = declared;
        column.number = number++;
        column.fixed = fixedSizeOf(declared.type) != 0;
        if (declared.type == ColumnType::Decimal &&
            (declared.precision < 1 || declared.precision > 28 || declared.scale > declared.precision))
            throw WriteError(table + ": column '" + toUtf8(declared.name) + "' needs a precision of 1 to 28 and a scale up to it");
        if (column.fixed) {
            column.size = fixedSizeOf(declared.type);
            column.fixedOffset = fixedSize_;
            fixedSize_ = static_cast<std::uint16_t>(fixedSize_ + column.size);
        } else {
            if ((declared.type == ColumnType::Text || declared.type == ColumnType::Binary) &&
                (declared.maxLength < 1 || declared.maxLength > (declared.type == ColumnType::Text ? 255 : 510)))
                throw WriteError(table + ": column '" + toUtf8(declared.name) + "' has a length outside 1 to 255");
            column.size = declared.type == ColumnType::Text     ? static_cast<std::uint16_t>(declared.maxLength * 2)
                          : declared.type == ColumnType::Binary ? declared.maxLength
                                                            : 0;
            column.variableIndex = variableCount_++;
        }
        columns_.push_back(std::move(column));
    }
}

std::optional<std::size_t> TableLayout::find(std::u16string_view name) const
{
    const std::u16string wanted = folded(name);
    for (std::size_t i = 0; i < columns_.size(); ++i)
        if (folded(columns_[i].declared.name) == wanted) return i;
    return std::nullopt;
}

std::vector<std::uint8_t> TableLayout::encodeRow(const Row& row, std::size_t rowNumber, const LongValueStore& store) const
{
    const std::string where = "table '" + toUtf8(tableName_) + "', row " + std::to_string(rowNumber);
    if (row.size() != columns_.size())
        throw WriteError(where + ": " + std::to_string(row.size()) + " values for " + std::to_string(columns_.size()) +
                         " columns");

    const auto count = static_cast<std::uint16_t>(columns_.size());
    std::vector<std::uint8_t> nullMask((count + 7) / 8, 0);
    std::vector<std::uint8_t> fixed(fixedSize_, 0);
    std::vector<std::vector<std::uint8_t>> variable(variableCount_);
    for (const ColumnLayout& column : columns_) {
        const Cell& cell = row[column.number];
        if (!cell) continue;
        std::vector<std::uint8_t> bytes;
        try {
            bytes = encodeValue(column, *cell);
            if (column.declared.type == ColumnType::Memo) {
                if (!store) throw WriteError("column '" + toUtf8(column.declared.name) + "': takes nothing but Null");
                bytes = store(bytes);
            }
        } catch (const WriteError& error) {
            throw WriteError(where + ", " + error.what());
        }
        nullMask[column.number / 8] |= static_cast<std::uint8_t>(1u << (column.number % 8));
        if (column.fixed)
            std::copy(bytes.begin(), bytes.end(), fixed.begin() + column.fixedOffset);
        else
            variable[column.variableIndex] = std::move(bytes);
    }

    Bytes out;
    out.u16(count);
    for (std::uint8_t b : fixed) out.u8(b);
    std::vector<std::uint16_t> starts;
    for (const auto& bytes : variable) {
        starts.push_back(static_cast<std::uint16_t>(out.size()));
        out.append(bytes);
    }
    if (variableCount_ > 0) {
        out.u16(static_cast<std::uint16_t>(out.size()));  // end of the variable data
        for (auto start = starts.rbegin(); start != starts.rend(); ++start) out.u16(*start);
        out.u16(variableCount_);
    }
    for (std::uint8_t b : nullMask) out.u8(b);
    if (out.size() > kPageSize - kDataRowTableOffset - 2) throw WriteError(where + ": the row is longer than a page");
    return out.take();
}

}  // namespace corvane::jet

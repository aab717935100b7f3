#include "TableLayout.h"

#include "JetFormat.h"
#include "JetText.h"

#include <bit>
#include <cmath>
#include <limits>
#include <string>

namespace corvane::jet {
namespace {

std::uint16_t fixedSizeOf(ColumnType type)
{
    switch (type) {
    case ColumnType::Byte: return 1;
    case ColumnType::Integer: return 2;
    case ColumnType::Long:
    case ColumnType::Single: return 4;
    case ColumnType::Double:
    case ColumnType::DateTime: return 8;
    default: return 0;
    }
}

bool isFixed(ColumnType type) { return fixedSizeOf(type) != 0; }

std::u16string folded(std::u16string_view text)
{
    std::u16string out(text);
    for (char16_t& c : out)
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
    return out;
}

std::string describe(ColumnType type)
{
    switch (type) {
    case ColumnType::Byte: return "a byte (0 to 255)";
    case ColumnType::Integer: return "a 16-bit integer";
    case ColumnType::Long: return "a 32-bit integer";
    case ColumnType::Single: return "a single";
    case ColumnType::Double: return "a double";
    case ColumnType::DateTime: return "a date";
    case ColumnType::Text: return "text";
    default: return "nothing but Null";
    }
}

[[noreturn]] void doesNotFit(const ColumnLayout& column, const std::string& why)
{
    throw WriteError("column '" + toUtf8(column.declared.name) + "': " + why);
}

template <class Int>
std::vector<std::uint8_t> integerBytes(const ColumnLayout& column, const Value& value)
{
    const auto* whole = std::get_if<std::int64_t>(&value);
    if (!whole) doesNotFit(column, "needs " + describe(column.declared.type));
    if (*whole < std::numeric_limits<Int>::min() || *whole > std::numeric_limits<Int>::max())
        doesNotFit(column, std::to_string(*whole) + " does not fit " + describe(column.declared.type));
    std::vector<std::uint8_t> out(sizeof(Int));
    const auto bits = static_cast<std::uint64_t>(*whole);
    for (std::size_t i = 0; i < sizeof(Int); ++i) out[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    return out;
}

double realOf(const ColumnLayout& column, const Value& value)
{
    if (const auto* real = std::get_if<double>(&value)) return *real;
    if (const auto* whole = std::get_if<std::int64_t>(&value)) return static_cast<double>(*whole);
    doesNotFit(column, "needs " + describe(column.declared.type));
}

}  // namespace

std::vector<std::uint8_t> encodeValue(const ColumnLayout& column, const Value& value)
{
    switch (column.declared.type) {
    case ColumnType::Byte: return integerBytes<std::uint8_t>(column, value);
    case ColumnType::Integer: return integerBytes<std::int16_t>(column, value);
    case ColumnType::Long: return integerBytes<std::int32_t>(column, value);
    case ColumnType::Single: {
        const double real = realOf(column, value);
        const auto single = static_cast<float>(real);
        if (!std::isfinite(real) || !std::isfinite(single)) doesNotFit(column, "the value is beyond the single range");
        Bytes out;
        out.u32(std::bit_cast<std::uint32_t>(single));
        return out.take();
    }
    case ColumnType::Double:
    case ColumnType::DateTime: {
        const double real = realOf(column, value);
        if (!std::isfinite(real)) doesNotFit(column, "the value is not a finite number");
        Bytes out;
        out.u64(std::bit_cast<std::uint64_t>(real));
        return out.take();
    }
    case ColumnType::Text: {
        const auto* text = std::get_if<std::u16string>(&value);
        if (!text) doesNotFit(column, "needs text");
        if (text->size() > column.declared.maxLength)
            doesNotFit(column, "text of " + std::to_string(text->size()) + " characters does not fit (at most " +
                                   std::to_string(column.declared.maxLength) + ")");
        return encodeText(*text);
    }
    default: doesNotFit(column, "takes nothing but Null");
    }
}

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
        column.fixed = isFixed(declared.type);
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

std::vector<std::uint8_t> TableLayout::encodeRow(const Row& row, std::size_t rowNumber) const
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

#include "ValueEncoding.h"

#include "JetDecimal.h"
#include "JetFormat.h"
#include "JetText.h"
#include "TableLayout.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <limits>

namespace corvane::jet {
namespace {

// Memo text is stored compressed only up to this many characters.
constexpr std::size_t kCompressedMemoLimit = 1024;

[[noreturn]] void doesNotFit(const ColumnLayout& column, const std::string& why)
{
    throw WriteError("column '" + toUtf8(column.declared.name) + "': " + why);
}

template <class Int>
std::vector<std::uint8_t> integerBytes(const ColumnLayout& column, const Value& value)
{
    const auto* whole = std::get_if<std::int64_t>(&value);
    if (!whole) doesNotFit(column, "needs " + describeType(column.declared.type));
    if (*whole < std::numeric_limits<Int>::min() || *whole > std::numeric_limits<Int>::max())
        doesNotFit(column, std::to_string(*whole) + " does not fit " + describeType(column.declared.type));
    std::vector<std::uint8_t> out(sizeof(Int));
    const auto bits = static_cast<std::uint64_t>(*whole);
    for (std::size_t i = 0; i < sizeof(Int); ++i) out[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    return out;
}

double realOf(const ColumnLayout& column, const Value& value)
{
    if (const auto* real = std::get_if<double>(&value)) return *real;
    if (const auto* whole = std::get_if<std::int64_t>(&value)) return static_cast<double>(*whole);
    doesNotFit(column, "needs " + describeType(column.declared.type));
}

// A number as exact decimal text: whole numbers as they are, doubles in the
// shortest form that reads back as the same double.
std::string decimalText(const ColumnLayout& column, const Value& value)
{
    if (const auto* text = std::get_if<std::u16string>(&value)) return toUtf8(*text);
    if (const auto* whole = std::get_if<std::int64_t>(&value)) return std::to_string(*whole);
    const double real = realOf(column, value);
    if (!std::isfinite(real)) doesNotFit(column, "the value is not a finite number");
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, real, std::chars_format::fixed).ptr;
    return {buffer, end};
}

JetDecimal decimalOf(const ColumnLayout& column, const Value& value, std::uint8_t precision, std::uint8_t scale)
{
    const std::string text = decimalText(column, value);
    const std::optional<JetDecimal> decimal = JetDecimal::fromText(text, precision, scale);
    if (!decimal)
        doesNotFit(column, "'" + text + "' does not fit " + describeType(column.declared.type) + " of " +
                               std::to_string(precision) + " digits, " + std::to_string(scale) + " after the point");
    return *decimal;
}

std::vector<std::uint8_t> floatingBytes(const ColumnLayout& column, const Value& value)
{
    const double real = realOf(column, value);
    Bytes out;
    if (column.declared.type == ColumnType::Single) {
        const auto single = static_cast<float>(real);
        if (!std::isfinite(real) || !std::isfinite(single)) doesNotFit(column, "the value is beyond the single range");
        out.u32(std::bit_cast<std::uint32_t>(single));
    } else {
        if (!std::isfinite(real)) doesNotFit(column, "the value is not a finite number");
        out.u64(std::bit_cast<std::uint64_t>(real));
    }
    return out.take();
}

std::vector<std::uint8_t> memoBytes(const std::u16string& text) { return encodeText(text, text.size() <= kCompressedMemoLimit); }

}  // namespace

std::uint16_t fixedSizeOf(ColumnType type)
{
    switch (type) {
    case ColumnType::Byte: return 1;
    case ColumnType::Integer: return 2;
    case ColumnType::Long:
    case ColumnType::Single: return 4;
    case ColumnType::Currency:
    case ColumnType::Double:
    case ColumnType::DateTime: return 8;
    case ColumnType::Decimal: return JetDecimal::kStoredSize;
    default: return 0;
    }
}

std::string describeType(ColumnType type)
{
    switch (type) {
    case ColumnType::Byte: return "a byte (0 to 255)";
    case ColumnType::Integer: return "a 16-bit integer";
    case ColumnType::Long: return "a 32-bit integer";
    case ColumnType::Currency: return "a currency amount";
    case ColumnType::Single: return "a single";
    case ColumnType::Double: return "a double";
    case ColumnType::DateTime: return "a date";
    case ColumnType::Decimal: return "a decimal";
    case ColumnType::Text:
    case ColumnType::Memo: return "text";
    default: return "nothing but Null";
    }
}

std::vector<std::uint8_t> encodeValue(const ColumnLayout& column, const Value& value)
{
    switch (column.declared.type) {
    case ColumnType::Byte: return integerBytes<std::uint8_t>(column, value);
    case ColumnType::Integer: return integerBytes<std::int16_t>(column, value);
    case ColumnType::Long: return integerBytes<std::int32_t>(column, value);
    case ColumnType::Single:
    case ColumnType::Double:
    case ColumnType::DateTime: return floatingBytes(column, value);
    case ColumnType::Currency: {
        const std::optional<std::int64_t> scaled = decimalOf(column, value, 19, 4).toCurrency();
        if (!scaled) doesNotFit(column, "the amount is beyond the currency range");
        Bytes out;
        out.u64(static_cast<std::uint64_t>(*scaled));
        return out.take();
    }
    case ColumnType::Decimal: {
        const auto stored = decimalOf(column, value, column.declared.precision, column.declared.scale).stored();
        return {stored.begin(), stored.end()};
    }
    case ColumnType::Text: {
        const auto* text = std::get_if<std::u16string>(&value);
        if (!text) doesNotFit(column, "needs text");
        if (text->size() > column.declared.maxLength)
            doesNotFit(column, "text of " + std::to_string(text->size()) + " characters does not fit (at most " +
                                   std::to_string(column.declared.maxLength) + ")");
        if (!readsBack(*text)) doesNotFit(column, kUnstorableText);
        return encodeText(*text);
    }
    case ColumnType::Memo: {
        const auto* text = std::get_if<std::u16string>(&value);
        if (!text) doesNotFit(column, "needs text");
        if (!readsBack(*text)) doesNotFit(column, kUnstorableText);
        return memoBytes(*text);
    }
    default: doesNotFit(column, "takes nothing but Null");
    }
}

}  // namespace corvane::jet

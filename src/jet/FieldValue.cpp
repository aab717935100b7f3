#include "FieldValue.h"

#include "JetDecimal.h"
#include "JetSchema.h"
#include "JetText.h"
#include "LongValueReader.h"
#include "automation/SafeArray.h"

#include <cstring>
#include <memory>

namespace corvane::jet {
namespace {

using automation::Variant;

template <class T, class Make>
Variant fixed(const StoredField& field, Make make)
{
    T value{};
    return storedAs(field, value) ? make(value) : Variant::null();
}

Variant bytesOf(std::vector<std::uint8_t> bytes)
{
    return Variant::array(std::make_shared<automation::SafeArray>(automation::VarType::UI1, 0, std::move(bytes)));
}

}  // namespace

std::string guidText(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() != 16) return {};
    // The first three groups are little-endian numbers, the last two bytes as stored.
    static const int kOrder[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
    static const char kHex[] = "0123456789ABCDEF";
    std::string text = "{";
    for (int i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) text.push_back('-');
        const std::uint8_t b = bytes[static_cast<std::size_t>(kOrder[i])];
        text.push_back(kHex[b >> 4]);
        text.push_back(kHex[b & 0x0F]);
    }
    text.push_back('}');
    return text;
}

Variant fieldValue(const StoredField& field, PageFile& file)
{
    const auto type = static_cast<ColumnType>(field.type);
    if (type == ColumnType::Boolean) return Variant::boolean(field.present);
    if (!field.present) return Variant::null();
    switch (type) {
    case ColumnType::Byte: return fixed<std::uint8_t>(field, [](std::uint8_t v) { return Variant(v); });
    case ColumnType::Integer: return fixed<std::int16_t>(field, [](std::int16_t v) { return Variant(v); });
    case ColumnType::Long: return fixed<std::int32_t>(field, [](std::int32_t v) { return Variant(v); });
    case ColumnType::Currency: return fixed<std::int64_t>(field, [](std::int64_t v) { return Variant::currency(v); });
    case ColumnType::Single: return fixed<float>(field, [](float v) { return Variant(v); });
    case ColumnType::Double: return fixed<double>(field, [](double v) { return Variant(v); });
    case ColumnType::DateTime: return fixed<double>(field, [](double v) { return Variant::date(v); });
    case ColumnType::Text: return Variant(decodeText(field.bytes.data(), field.bytes.size()));
    case ColumnType::Memo: {
        const std::vector<std::uint8_t> memo = readLongValue(file, field.bytes);
        return Variant(decodeText(memo.data(), memo.size()));
    }
    case ColumnType::Guid: {
        const std::string text = guidText(field.bytes);
        return text.empty() ? Variant::null() : Variant(fromUtf8(text));
    }
    case ColumnType::Decimal: {
        const std::optional<JetDecimal> decimal = JetDecimal::fromStored(field.bytes, field.scale);
        if (!decimal) return Variant::null();
        if (const std::optional<std::int64_t> currency = decimal->toCurrency()) return Variant::currency(*currency);
        return Variant(decimal->toDouble());
    }
    case ColumnType::Ole: return bytesOf(readLongValue(file, field.bytes));
    default: return bytesOf({field.bytes.begin(), field.bytes.end()});
    }
}

}  // namespace corvane::jet

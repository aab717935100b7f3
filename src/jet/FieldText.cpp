#include "FieldText.h"

#include "CsvText.h"
#include "FieldValue.h"
#include "JetDecimal.h"
#include "JetSchema.h"
#include "JetText.h"
#include "LongValueReader.h"
#include "automation/AutomationDate.h"

#include <charconv>
#include <cstdio>
#include <cstring>

namespace corvane::jet {
namespace {

template <class T>
void appendNumber(std::string& out, T value)
{
    char buffer[64];
    out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

void appendCurrency(std::string& out, std::int64_t scaled)
{
    const bool negative = scaled < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(scaled) : static_cast<std::uint64_t>(scaled);
    if (negative) out.push_back('-');
    appendNumber(out, magnitude / 10000);
    std::uint64_t fraction = magnitude % 10000;
    if (fraction == 0) return;
    char digits[5];
    std::snprintf(digits, sizeof digits, "%04u", static_cast<unsigned>(fraction));
    std::size_t length = 4;
    while (digits[length - 1] == '0') --length;
    out.push_back('.');
    out.append(digits, length);
}

void appendDate(std::string& out, double serial)
{
    if (!automation::date::inRange(serial)) {
        appendNumber(out, serial);
        return;
    }
    const automation::LocalDateTime t = automation::date::toLocal(serial);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
    out.append(text);
}

void appendHex(std::string& out, std::span<const std::uint8_t> bytes)
{
    static const char kHex[] = "0123456789ABCDEF";
    out.append("(" + std::to_string(bytes.size()) + (bytes.size() == 1 ? " byte)" : " bytes)"));
    if (bytes.empty()) return;
    out.push_back(' ');
    for (std::uint8_t b : bytes) {
        out.push_back(kHex[b >> 4]);
        out.push_back(kHex[b & 0x0F]);
    }
}

void appendText(std::string& out, std::span<const std::uint8_t> stored)
{
    appendCsvField(out, toUtf8(decodeText(stored.data(), stored.size())), true);
}

}  // namespace

void appendFieldText(std::string& out, const StoredField& field, PageFile& file)
{
    const auto type = static_cast<ColumnType>(field.type);
    if (type == ColumnType::Boolean) {
        out.push_back(field.present ? '1' : '0');
        return;
    }
    if (!field.present) return;
    std::uint8_t byte = 0;
    std::int16_t integer = 0;
    std::int32_t whole = 0;
    std::int64_t currency = 0;
    float single = 0;
    double real = 0;
    switch (type) {
    case ColumnType::Byte:
        if (storedAs(field, byte)) appendNumber(out, unsigned{byte});
        return;
    case ColumnType::Integer:
        if (storedAs(field, integer)) appendNumber(out, integer);
        return;
    case ColumnType::Long:
        if (storedAs(field, whole)) appendNumber(out, whole);
        return;
    case ColumnType::Currency:
        if (storedAs(field, currency)) appendCurrency(out, currency);
        return;
    case ColumnType::Single:
        if (storedAs(field, single)) appendNumber(out, single);
        return;
    case ColumnType::Double:
        if (storedAs(field, real)) appendNumber(out, real);
        return;
    case ColumnType::DateTime:
        if (storedAs(field, real)) appendDate(out, real);
        return;
    case ColumnType::Text: appendText(out, field.bytes); return;
    case ColumnType::Memo: appendText(out, readLongValue(file, field.bytes)); return;
    case ColumnType::Guid: {
        const std::string text = guidText(field.bytes);
        if (!text.empty()) appendCsvField(out, text, true);
        return;
    }
    case ColumnType::Decimal:
        if (const std::optional<JetDecimal> decimal = JetDecimal::fromStored(field.bytes, field.scale)) out.append(decimal->text());
        return;
    case ColumnType::Ole: appendHex(out, readLongValue(file, field.bytes)); return;
    default: appendHex(out, field.bytes); return;
    }
}

}  // namespace corvane::jet

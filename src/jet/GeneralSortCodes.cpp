#include "GeneralSortCodes.h"

#include "SortCodeTables.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace corvane::jet {
namespace {

constexpr std::size_t kUnits = 0x10000;
constexpr char16_t kFirstSurrogate = 0xD800;
constexpr char16_t kLastSurrogate = 0xDFFF;

bool isSurrogate(std::size_t unit) { return unit >= kFirstSurrogate && unit <= kLastSurrogate; }

[[noreturn]] void unreadable(std::string_view line)
{
    throw std::runtime_error("unreadable sort code line '" + std::string(line) + "'");
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Hexadecimal bytes; an odd count of digits has lost a leading zero.
SortCode::Codes codesOf(std::string_view hex, std::string_view line)
{
    SortCode::Codes codes;
    const std::size_t digits = hex.size();
    if ((digits + 1) / 2 > codes.bytes.size()) unreadable(line);
    std::size_t at = 0;
    if (digits % 2 == 1) {
        const int low = hexDigit(hex[0]);
        if (low < 0) unreadable(line);
        codes.bytes[codes.size++] = static_cast<std::uint8_t>(low);
        at = 1;
    }
    for (; at < digits; at += 2) {
        const int high = hexDigit(hex[at]), low = hexDigit(hex[at + 1]);
        if (high < 0 || low < 0) unreadable(line);
        codes.bytes[codes.size++] = static_cast<std::uint8_t>(high << 4 | low);
    }
    return codes;
}

std::vector<std::string_view> fieldsOf(std::string_view text)
{
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t comma = text.find(',', start);
        fields.push_back(text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (comma == std::string_view::npos) return fields;
        start = comma + 1;
    }
}

SortCode parseLine(std::string_view line)
{
    if (line.empty()) unreadable(line);
    const std::vector<std::string_view> fields = fieldsOf(line.substr(1));
    const auto expect = [&](std::size_t count, bool firstRequired) {
        if (fields.size() != count || (firstRequired && fields[0].empty())) unreadable(line);
    };
    SortCode code;
    switch (line[0]) {
    case 'S':
        expect(1, true);
        code.kind = SortCode::Kind::Simple;
        code.inlineCodes = codesOf(fields[0], line);
        break;
    case 'I':
        expect(2, true);
        if (fields[1].empty()) unreadable(line);
        code.kind = SortCode::Kind::International;
        code.inlineCodes = codesOf(fields[0], line);
        code.extraCodes = codesOf(fields[1], line);
        break;
    case 'U':
        expect(1, true);
        code.kind = SortCode::Kind::Unprintable;
        code.unprintableCodes = codesOf(fields[0], line);
        break;
    case 'P': {
        expect(1, true);
        const SortCode::Codes modifier = codesOf(fields[0], line);
        if (modifier.size != 1) unreadable(line);
        code.kind = SortCode::Kind::Combining;
        code.modifier = modifier.bytes[0];
        break;
    }
    case 'Z':
        expect(3, true);
        code.kind = SortCode::Kind::ExtendedInternational;
        code.inlineCodes = codesOf(fields[0], line);
        code.extraCodes = codesOf(fields[1], line);
        code.flag = fields[2] == "1" ? 2 : 3;
        break;
    case 'X':
        if (line.size() != 1) unreadable(line);
        break;
    default: unreadable(line);
    }
    return code;
}

// Reads `lines` into codes[first...], skipping the surrogates.
void readTable(std::vector<SortCode>& codes, std::string_view lines, std::size_t first, std::size_t last)
{
    std::size_t unit = first;
    std::size_t at = 0;
    for (; unit <= last; ++unit) {
        if (isSurrogate(unit)) continue;
        if (at >= lines.size()) break;
        const std::size_t end = std::min(lines.find('\n', at), lines.size());
        std::string_view line = lines.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        codes[unit] = parseLine(line);
        at = end + 1;
    }
    if (unit <= last || (at < lines.size() && lines.find_first_not_of("\r\n", at) != std::string_view::npos))
        throw std::runtime_error("a sort code table does not hold one line per code unit");
}

}  // namespace

GeneralSortCodes::GeneralSortCodes(std::string_view basicLines, std::string_view extendedLines) : codes_(kUnits)
{
    readTable(codes_, basicLines, 0x0000, 0x00FF);
    readTable(codes_, extendedLines, 0x0100, 0xFFFF);
}

const GeneralSortCodes& GeneralSortCodes::instance()
{
    static const GeneralSortCodes codes(basicSortCodeLines(), extendedSortCodeLines());
    return codes;
}

const SortCode* GeneralSortCodes::find(char16_t unit) const
{
    if (isSurrogate(unit)) return nullptr;
    return &codes_[unit];
}

}  // namespace corvane::jet

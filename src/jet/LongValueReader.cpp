#include "LongValueReader.h"

#include "DataPage.h"
#include "JetFormat.h"
#include "MalformedFile.h"

#include <set>

namespace corvane::jet {
namespace {

constexpr std::size_t kHeaderSize = 12;
constexpr std::uint32_t kInline = 0x80000000;
constexpr std::uint32_t kOneRow = 0x40000000;
constexpr std::uint32_t kLengthMask = 0x3FFFFFFF;

std::span<const std::uint8_t> rowBytes(PageFile& file, std::uint32_t pointer)
{
    const auto page = file.page(pageOf(pointer));
    if (page.empty() || page[0] != page_type::kData) throw MalformedFile("a long value lies on no data page");
    const std::optional<DataRow> row = dataRow(page, rowOf(pointer));
    if (!row || row->deleted || row->movedAway) throw MalformedFile("a long value's row does not exist");
    return page.subspan(row->start, row->end - row->start);
}

}  // namespace

std::vector<std::uint8_t> readLongValue(PageFile& file, std::span<const std::uint8_t> field)
{
    if (field.size() < kHeaderSize) throw MalformedFile("a long value's header is cut short");
    const std::uint32_t word = u32At(field, 0);
    const std::size_t length = word & kLengthMask;
    if (word & kInline) {
        if (field.size() - kHeaderSize < length) throw MalformedFile("a long value is cut short");
        return {field.begin() + kHeaderSize, field.begin() + static_cast<std::ptrdiff_t>(kHeaderSize + length)};
    }
    std::uint32_t pointer = u32At(field, 4);
    if (word & kOneRow) {
        const auto row = rowBytes(file, pointer);
        if (row.size() < length) throw MalformedFile("a long value is cut short");
        return {row.begin(), row.begin() + static_cast<std::ptrdiff_t>(length)};
    }
    std::vector<std::uint8_t> value;
    std::set<std::uint32_t> visited;
    while (value.size() < length) {
        if (pointer == 0) throw MalformedFile("a long value's chain ends before its length");
        if (!visited.insert(pointer).second) throw MalformedFile("a long value's chain loops");
        const auto row = rowBytes(file, pointer);
        if (row.size() < 4) throw MalformedFile("a long value's row is cut short");
        const std::size_t take = std::min(row.size() - 4, length - value.size());
        value.insert(value.end(), row.begin() + 4, row.begin() + 4 + static_cast<std::ptrdiff_t>(take));
        pointer = u32At(row, 0);
    }
    return value;
}

}  // namespace corvane::jet

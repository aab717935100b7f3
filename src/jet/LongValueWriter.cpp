#include "LongValueWriter.h"

#include "JetSchema.h"

namespace corvane::jet {
namespace {

constexpr std::size_t kInlineLimit = 256;
constexpr std::size_t kRowRoom = kPageSize - kDataRowTableOffset - 2;  // one row on a page of its own
constexpr std::size_t kChainRoom = kRowRoom - 4;                       // after the pointer to the next row
constexpr std::uint32_t kInline = 0x80000000;
constexpr std::uint32_t kOneRow = 0x40000000;
constexpr std::size_t kLengthLimit = 0x3FFFFFFF;

std::vector<std::uint8_t> header(std::uint32_t word, std::uint32_t pointer)
{
    Bytes out;
    out.u32(word);
    out.u32(pointer);
    out.u32(0);
    return out.take();
}

}  // namespace

std::uint32_t LongValueWriter::addRowPage(const std::uint8_t* bytes, std::size_t count, std::uint32_t next, bool chained)
{
    Page page;
    page.u8(0, page_type::kData);
    page.u8(1, 0x01);
    page.bytes(4, "LVAL", 4);
    page.u16(kDataRowCountOffset, 1);
    const std::size_t length = count + (chained ? 4 : 0);
    const std::size_t start = kPageSize - length;
    if (chained) page.u32(start, next);
    page.bytes(start + (chained ? 4 : 0), bytes, count);
    page.u16(kDataRowTableOffset, static_cast<std::uint16_t>(start));
    page.u16(2, static_cast<std::uint16_t>(start - kDataRowTableOffset - 2));
    return addPage_(std::move(page));
}

std::vector<std::uint8_t> LongValueWriter::store(const std::vector<std::uint8_t>& value)
{
    if (value.size() > kLengthLimit) throw WriteError("a long value of " + std::to_string(value.size()) + " bytes is too long");
    const auto length = static_cast<std::uint32_t>(value.size());
    if (value.size() <= kInlineLimit) {
        std::vector<std::uint8_t> row = header(length | kInline, 0);
        row.insert(row.end(), value.begin(), value.end());
        return row;
    }
    if (value.size() <= kRowRoom) return header(length | kOneRow, addRowPage(value.data(), value.size(), 0, false) << 8);
    // The chain from its end, so that each row can name the page after it.
    std::uint32_t next = 0;
    const std::size_t pieces = (value.size() + kChainRoom - 1) / kChainRoom;
    for (std::size_t piece = pieces; piece-- > 0;) {
        const std::size_t at = piece * kChainRoom;
        const std::size_t count = std::min(kChainRoom, value.size() - at);
        next = addRowPage(value.data() + at, count, next, true) << 8;
    }
    return header(length, next);
}

}  // namespace corvane::jet

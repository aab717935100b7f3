#include "IndexBuilder.h"

#include "JetText.h"
#include "TextIndexKey.h"

namespace corvane::jet {
namespace {

constexpr std::uint8_t kAscending = 0x7F;
constexpr std::size_t kEntryRoom = kPageSize - kIndexEntriesOffset;

void appendBigEndian(std::vector<std::uint8_t>& key, std::uint64_t bits, std::size_t width)
{
    for (std::size_t i = width; i-- > 0;) key.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
}

// One page of entries with its header; `node` pages carry a child page
// after each entry's row pointer.
Page entryPage(bool node, std::uint32_t owner, const std::vector<std::vector<std::uint8_t>>& entries)
{
    Page page;
    page.u8(0, node ? page_type::kIndexNode : page_type::kIndexLeaf);
    page.u8(1, 0x01);
    page.u32(4, owner);
    std::size_t used = 0;
    for (const auto& entry : entries) {
        page.bytes(kIndexEntriesOffset + used, entry.data(), entry.size());
        used += entry.size();
        // Bit k marks the byte 0x1E0 + k where the next entry (or the end) begins.
        page.data()[kIndexMaskOffset + used / 8] |= static_cast<std::uint8_t>(1u << (used % 8));
    }
    page.u16(2, static_cast<std::uint16_t>(kEntryRoom - used));
    return page;
}

std::vector<std::uint8_t> leafEntry(const IndexEntry& entry)
{
    std::vector<std::uint8_t> bytes = entry.key;
    appendBigEndian(bytes, entry.page, 3);
    bytes.push_back(entry.row);
    return bytes;
}

struct Level {
    std::vector<std::vector<std::vector<std::uint8_t>>> pages;  // the entries of each page
    std::vector<IndexEntry> lastEntries;                      // the last entry of each page
};

// Splits entries into pages of at most kEntryRoom bytes, in order.
Level fill(const std::vector<IndexEntry>& entries, const std::vector<std::vector<std::uint8_t>>& encoded)
{
    Level level;
    level.pages.emplace_back();
    std::size_t used = 0;
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        if (used + encoded[i].size() > kEntryRoom) {
            level.lastEntries.push_back(entries[i - 1]);
            level.pages.emplace_back();
            used = 0;
        }
        level.pages.back().push_back(encoded[i]);
        used += encoded[i].size();
    }
    if (!entries.empty()) level.lastEntries.push_back(entries.back());
    return level;
}

}  // namespace

std::vector<std::uint8_t> indexKey(const ColumnLayout& column, const Value& value)
{
    std::vector<std::uint8_t> key{kAscending};
    switch (column.declared.type) {
    case ColumnType::Text:
        try {
            appendTextIndexKey(key, std::get<std::u16string>(value));
        } catch (const NoSortCode& unknown) {
            throw WriteError("the index key '" + toUtf8(column.declared.name) + "' holds '" + toUtf8(unknown.units()) + "' (" +
                             unknown.what() + "): no index can be written that would find it");
        }
        break;
    case ColumnType::Byte:
    case ColumnType::Integer:
    case ColumnType::Long: {
        const std::vector<std::uint8_t> stored = encodeValue(column, value);  // checks the range
        std::uint64_t bits = 0;
        for (std::size_t i = stored.size(); i-- > 0;) bits = bits << 8 | stored[i];
        if (column.declared.type != ColumnType::Byte) bits ^= std::uint64_t{1} << (8 * stored.size() - 1);
        appendBigEndian(key, bits, stored.size());
        break;
    }
    case ColumnType::Single:
    case ColumnType::Double:
    case ColumnType::DateTime: {
        const std::vector<std::uint8_t> stored = encodeValue(column, value);
        std::uint64_t bits = 0;
        for (std::size_t i = stored.size(); i-- > 0;) bits = bits << 8 | stored[i];
        const std::uint64_t sign = std::uint64_t{1} << (8 * stored.size() - 1);
        bits = (bits & sign) ? ~bits : bits | sign;
        appendBigEndian(key, bits, stored.size());
        break;
    }
    default: throw WriteError("an index cannot cover a column of this type");
    }
    return key;
}

IndexPages buildIndexPages(const std::vector<IndexEntry>& sortedEntries, std::uint32_t ownerPage, std::uint32_t firstPage)
{
    IndexPages result;
    std::vector<std::vector<std::uint8_t>> encoded;
    encoded.reserve(sortedEntries.size());
    for (const IndexEntry& entry : sortedEntries) encoded.push_back(leafEntry(entry));

    // Leaves first, chained to their neighbours.
    Level level = fill(sortedEntries, encoded);
    std::uint32_t next = firstPage;
    std::vector<std::uint32_t> levelPages;
    for (std::size_t i = 0; i < level.pages.size(); ++i) {
        Page page = entryPage(false, ownerPage, level.pages[i]);
        const std::uint32_t number = next++;
        if (i > 0) page.u32(12, number - 1);
        if (i + 1 < level.pages.size()) page.u32(16, number + 1);
        result.pages.push_back(std::move(page));
        levelPages.push_back(number);
    }

    // Then node levels until one page remains: an entry per child, holding
    // the child's last key and row pointer followed by the child page.
    while (levelPages.size() > 1) {
        std::vector<IndexEntry> childLast = level.lastEntries;
        std::vector<std::vector<std::uint8_t>> nodeEntries;
        for (std::size_t i = 0; i < childLast.size(); ++i) {
            std::vector<std::uint8_t> bytes = leafEntry(childLast[i]);
            appendBigEndian(bytes, levelPages[i], 4);
            nodeEntries.push_back(std::move(bytes));
        }
        level = fill(childLast, nodeEntries);
        std::vector<std::uint32_t> upper;
        for (std::size_t i = 0; i < level.pages.size(); ++i) {
            Page page = entryPage(true, ownerPage, level.pages[i]);
            const std::uint32_t number = next++;
            if (i > 0) page.u32(12, number - 1);
            if (i + 1 < level.pages.size()) page.u32(16, number + 1);
            result.pages.push_back(std::move(page));
            upper.push_back(number);
        }
        levelPages = std::move(upper);
    }
    result.root = levelPages.front();
    return result;
}

}  // namespace corvane::jet

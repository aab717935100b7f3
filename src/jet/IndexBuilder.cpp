#include "IndexBuilder.h"

#include "automation/CaseFold.h"

#include <bit>

namespace corvane::jet {
namespace {

constexpr std::uint8_t kAscending = 0x7F;
constexpr std::uint8_t kLetterCodes[26] = {0x4A, 0x4C, 0x4D, 0x4F, 0x51, 0x53, 0x55, 0x57, 0x59, 0x5B, 0x5C, 0x5E, 0x60,
                                           0x62, 0x64, 0x66, 0x68, 0x69, 0x6B, 0x6D, 0x6F, 0x71, 0x73, 0x75, 0x76, 0x78};
constexpr std::uint8_t kDigitCodes[10] = {0x36, 0x38, 0x3A, 0x3C, 0x3E, 0x40, 0x42, 0x44, 0x46, 0x48};
constexpr std::uint8_t kFirstPunctuationCode = 0x03;  // above the end-of-text byte, below the digits
constexpr std::uint8_t kOtherCharacter = 0x79;        // after Z
constexpr std::size_t kEntryRoom = kPageSize - kIndexEntriesOffset;

void appendTextKey(std::vector<std::uint8_t>& key, const std::u16string& text)
{
    for (char16_t c : text) {
        if (c >= u'a' && c <= u'z') {
            key.push_back(kLetterCodes[c - u'a']);
        } else if (c >= u'A' && c <= u'Z') {
            key.push_back(kLetterCodes[c - u'A']);
        } else if (c >= u'0' && c <= u'9') {
            key.push_back(kDigitCodes[c - u'0']);
        } else if (c >= 0x20 && c < 0x7F) {
            // Punctuation in ASCII order: 0x20-0x2F, 0x3A-0x40, 0x5B-0x60, 0x7B-0x7E.
            int rank = c - 0x20;
            if (c > u'9') rank -= 10;
            if (c > u'Z') rank -= 26;
            if (c > u'z') rank -= 26;
            key.push_back(static_cast<std::uint8_t>(kFirstPunctuationCode + rank));
        } else {
            const char16_t upper = automation::foldCase(c);  // as the tag table compares names
            key.push_back(kOtherCharacter);
            key.push_back(static_cast<std::uint8_t>(upper >> 8));
            key.push_back(static_cast<std::uint8_t>(upper));
        }
    }
    key.push_back(0x01);  // end of text
    key.push_back(0x00);  // end of the (empty) extra bytes
}

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
    case ColumnType::Text: appendTextKey(key, std::get<std::u16string>(value)); break;
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

#include "JetFileCheck.h"

#include "JetFormat.h"

#include <cstring>
#include <set>

namespace corvane::jet {
namespace {

constexpr std::size_t kNameLimit = 2 * 128;  // libmdb keeps names in 256-byte buffers
constexpr std::size_t kMaxColumns = 255;
constexpr std::size_t kMaxIndexes = 1000;

std::uint16_t u16(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

std::uint32_t u32(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

bool knownColumnType(std::uint8_t type) { return type >= 1 && type <= 0x12; }

}  // namespace

JetFileCheck::JetFileCheck(const std::filesystem::path& path) : file_(path, std::ios::binary)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (!error && size % kPageSize == 0) pageCount_ = size / kPageSize;
}

const std::vector<std::uint8_t>* JetFileCheck::page(std::uint32_t number)
{
    if (number >= pageCount_ || !file_) return nullptr;
    auto found = cache_.find(number);
    if (found != cache_.end()) return &found->second;
    std::vector<std::uint8_t> bytes(kPageSize);
    file_.seekg(static_cast<std::streamoff>(number) * static_cast<std::streamoff>(kPageSize));
    file_.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(kPageSize));
    if (file_.gcount() != static_cast<std::streamsize>(kPageSize)) return nullptr;
    return &cache_.emplace(number, std::move(bytes)).first->second;
}

std::optional<std::string> JetFileCheck::checkDatabase()
{
    if (pageCount_ < 5) return "not a whole number of pages, or too short for a database";
    const auto* header = page(0);
    if (!header) return "the header page cannot be read";
    static const std::uint8_t kMagic[4] = {0x00, 0x01, 0x00, 0x00};
    if (std::memcmp(header->data(), kMagic, 4) != 0 ||
        (std::memcmp(header->data() + 4, "Standard Jet DB", 16) != 0 &&
         std::memcmp(header->data() + 4, "Standard ACE DB", 16) != 0))
        return "no database signature";
    const std::uint8_t version = (*header)[0x14];
    if (version < 1 || version > 6) return "not a format with 4 KiB pages";
    return checkDefinition(kCatalogPage);
}

std::optional<std::string> JetFileCheck::checkTable(std::uint32_t definitionPage) { return checkDefinition(definitionPage); }

std::optional<std::string> JetFileCheck::checkDefinition(std::uint32_t first)
{
    // The definition as libmdb reads it: the first page whole, then the rest
    // of each page it chains to (from byte 8).
    std::vector<std::uint8_t> def;
    std::set<std::uint32_t> seen;
    for (std::uint32_t number = first; number != 0;) {
        const auto* bytes = page(number);
        if (!bytes || (*bytes)[0] != page_type::kTableDefinition) return "a table definition page is missing";
        if (!seen.insert(number).second) return "the table definition pages form a loop";
        def.insert(def.end(), bytes->begin() + (def.empty() ? 0 : 8), bytes->end());
        number = u32(*bytes, 4);
    }
    if (def.empty()) return "a table definition page is missing";  // the catalog named page 0

    const std::size_t columns = u16(def, 45);
    const std::size_t variable = u16(def, 43);
    const std::size_t logical = u32(def, 47);
    const std::size_t physical = u32(def, 51);
    if (columns == 0 || columns > kMaxColumns || variable > columns || logical > kMaxIndexes || physical > logical)
        return "the table definition's counts are out of range";

    std::size_t at = 63 + 12 * physical;
    if (at + 25 * columns > def.size()) return "the table definition is cut short";
    for (std::size_t c = 0; c < columns; ++c, at += 25) {
        if (!knownColumnType(def[at])) return "a column has an unknown type";
        if (def[at + 15] & 0x01) {
            if (std::size_t{u16(def, at + 21)} + u16(def, at + 23) + 2 > kPageSize) return "a fixed column lies beyond a page";
        }
    }
    for (std::size_t c = 0; c < columns; ++c) {
        if (at + 2 > def.size()) return "the table definition is cut short";
        const std::size_t length = u16(def, at);
        if (length > kNameLimit || at + 2 + length > def.size()) return "a column name is too long";
        at += 2 + length;
    }
    for (std::size_t i = 0; i < physical; ++i, at += 52) {
        if (at + 52 > def.size()) return "the table definition is cut short";
        for (std::size_t slot = 0; slot < 10; ++slot) {
            const std::uint16_t column = u16(def, at + 4 + 3 * slot);
            if (column != 0xFFFF && column >= columns) return "an index names a column that does not exist";
        }
        if (u32(def, at + 38) >= pageCount_) return "an index starts beyond the end of the file";
    }
    if (at + 28 * logical > def.size()) return "the table definition is cut short";
    at += 28 * logical;
    for (std::size_t i = 0; i < logical; ++i) {
        if (at + 2 > def.size()) return "the table definition is cut short";
        const std::size_t length = u16(def, at);
        if (length > kNameLimit || at + 2 + length > def.size()) return "an index name is too long";
        at += 2 + length;
    }
    if (auto damage = checkUsageMap(u32(def, 55))) return damage;
    return checkUsageMap(u32(def, 59));
}

std::optional<std::string> JetFileCheck::checkUsageMap(std::uint32_t rowPointer)
{
    const auto* bytes = page(rowPointer >> 8);
    if (!bytes || (*bytes)[0] != page_type::kData) return "a usage map lies on no data page";
    const std::size_t row = rowPointer & 0xFF;
    const std::size_t rows = u16(*bytes, kDataRowCountOffset);
    if (row >= rows || kDataRowTableOffset + 2 * rows > kPageSize) return "a usage map row does not exist";
    const std::size_t start = u16(*bytes, kDataRowTableOffset + 2 * row) & 0x1FFF;
    const std::size_t end = row == 0 ? kPageSize : u16(*bytes, kDataRowTableOffset + 2 * (row - 1)) & 0x1FFF;
    if (start >= end || end > kPageSize) return "a usage map row has no bytes";
    const std::vector<std::uint8_t> map(bytes->begin() + static_cast<std::ptrdiff_t>(start),
                                        bytes->begin() + static_cast<std::ptrdiff_t>(end));
    if (map[0] == 0) {
        if (map.size() < 5) return "a usage map is cut short";
        const std::uint64_t firstPage = u32(map, 1);
        for (std::size_t bit = 0; bit < (map.size() - 5) * 8; ++bit)
            if ((map[5 + bit / 8] >> (bit % 8)) & 1)
                if (firstPage + bit >= pageCount_) return "a usage map names a page beyond the end of the file";
        return std::nullopt;
    }
    if (map[0] != 1) return "a usage map has an unknown type";
    for (std::size_t slot = 0; 1 + 4 * slot + 4 <= map.size(); ++slot) {
        const std::uint32_t number = u32(map, 1 + 4 * slot);
        if (number == 0) continue;
        const auto* bitmap = page(number);
        if (!bitmap || (*bitmap)[0] != page_type::kUsageBitmap) return "a usage bitmap page is missing";
        for (std::size_t bit = 0; bit < kBitmapPageBits; ++bit)
            if (((*bitmap)[4 + bit / 8] >> (bit % 8)) & 1)
                if (slot * kBitmapPageBits + bit >= pageCount_) return "a usage map names a page beyond the end of the file";
    }
    return std::nullopt;
}

}  // namespace corvane::jet

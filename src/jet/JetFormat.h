#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::jet {

// The Jet 4 constants that the writer and the file checks share.
inline constexpr std::size_t kPageSize = 4096;
inline constexpr std::uint32_t kTablesContainerId = 0x0F000001;
inline constexpr std::uint32_t kCatalogPage = 2;  // the catalog's table definition, always page 2

namespace page_type {
inline constexpr std::uint8_t kHeader = 0x00;
inline constexpr std::uint8_t kData = 0x01;
inline constexpr std::uint8_t kTableDefinition = 0x02;
inline constexpr std::uint8_t kIndexNode = 0x03;
inline constexpr std::uint8_t kIndexLeaf = 0x04;
inline constexpr std::uint8_t kUsageBitmap = 0x05;
}  // namespace page_type

// A physical index names up to this many columns in its definition entry.
inline constexpr std::size_t kIndexColumnSlots = 10;
// Data page: row count at 12, row offsets from 14.
inline constexpr std::size_t kDataRowCountOffset = 12;
inline constexpr std::size_t kDataRowTableOffset = 14;
// Index pages: the entry mask and the first entry.
inline constexpr std::size_t kIndexMaskOffset = 0x1B;
inline constexpr std::size_t kIndexEntriesOffset = 0x1E0;
// A type-0 usage map row: type byte, first page, 64-byte bitmap.
inline constexpr std::size_t kUsageMapRowSize = 69;
inline constexpr std::size_t kUsageMapBits = (kUsageMapRowSize - 5) * 8;
// One usage bitmap page (type-1 maps) covers this many pages.
inline constexpr std::size_t kBitmapPageBits = (kPageSize - 4) * 8;

// One page of the file, with little-endian stores.
class Page {
public:
    Page() : bytes_(kPageSize, 0) {}

    std::uint8_t* data() { return bytes_.data(); }
    const std::uint8_t* data() const { return bytes_.data(); }

    void u8(std::size_t at, std::uint8_t value) { bytes_.at(at) = value; }
    void u16(std::size_t at, std::uint16_t value) { put(at, value, 2); }
    void u32(std::size_t at, std::uint32_t value) { put(at, value, 4); }
    void bytes(std::size_t at, const void* source, std::size_t count)
    {
        if (count == 0) return;
        if (at + count > kPageSize) throw std::out_of_range("page write beyond its end");
        std::memcpy(bytes_.data() + at, source, count);
    }
    std::uint16_t readU16(std::size_t at) const { return static_cast<std::uint16_t>(bytes_.at(at) | bytes_.at(at + 1) << 8); }

private:
    void put(std::size_t at, std::uint64_t value, std::size_t width)
    {
        if (at + width > kPageSize) throw std::out_of_range("page write beyond its end");
        for (std::size_t i = 0; i < width; ++i) bytes_[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }

    std::vector<std::uint8_t> bytes_;
};

// Growable little-endian byte string, for rows, definitions and keys.
class Bytes {
public:
    void u8(std::uint8_t value) { data_.push_back(value); }
    void u16(std::uint16_t value) { put(value, 2); }
    void u32(std::uint32_t value) { put(value, 4); }
    void u64(std::uint64_t value) { put(value, 8); }
    void zeros(std::size_t count) { data_.insert(data_.end(), count, 0); }
    void append(const std::vector<std::uint8_t>& more) { data_.insert(data_.end(), more.begin(), more.end()); }
    void utf16(std::u16string_view text)
    {
        for (char16_t c : text) u16(static_cast<std::uint16_t>(c));
    }
    void patchU16(std::size_t at, std::uint16_t value)
    {
        data_.at(at) = static_cast<std::uint8_t>(value);
        data_.at(at + 1) = static_cast<std::uint8_t>(value >> 8);
    }

    std::size_t size() const { return data_.size(); }
    const std::vector<std::uint8_t>& data() const { return data_; }
    std::vector<std::uint8_t> take() { return std::move(data_); }

private:
    void put(std::uint64_t value, std::size_t width)
    {
        for (std::size_t i = 0; i < width; ++i) data_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }

    std::vector<std::uint8_t> data_;
};

}  // namespace corvane::jet

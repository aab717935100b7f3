#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <span>
#include <vector>

namespace corvane::jet {

// A Jet 4 file read page by page, read-only, each page read once. A file
// whose size is not a whole number of pages has no pages at all.
class PageFile {
public:
    explicit PageFile(const std::filesystem::path& path);

    std::uint64_t pageCount() const { return pageCount_; }
    // Page `number`, or empty when it lies beyond the file or cannot be read.
    std::span<const std::uint8_t> page(std::uint32_t number);

private:
    std::ifstream file_;
    std::uint64_t pageCount_ = 0;
    std::map<std::uint32_t, std::vector<std::uint8_t>> cache_;
};

// Little-endian fields of a page or row.
inline std::uint16_t u16At(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

inline std::uint32_t u32At(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

}  // namespace corvane::jet

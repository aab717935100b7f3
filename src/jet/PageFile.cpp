#include "PageFile.h"

#include "JetFormat.h"

namespace corvane::jet {

PageFile::PageFile(const std::filesystem::path& path) : file_(path, std::ios::binary)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (!error && size % kPageSize == 0) pageCount_ = size / kPageSize;
}

std::span<const std::uint8_t> PageFile::page(std::uint32_t number)
{
    if (number >= pageCount_ || !file_) return {};
    auto found = cache_.find(number);
    if (found != cache_.end()) return found->second;
    std::vector<std::uint8_t> bytes(kPageSize);
    file_.seekg(static_cast<std::streamoff>(number) * static_cast<std::streamoff>(kPageSize));
    file_.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(kPageSize));
    if (file_.gcount() != static_cast<std::streamsize>(kPageSize)) {
        file_.clear();
        return {};
    }
    return cache_.emplace(number, std::move(bytes)).first->second;
}

}  // namespace corvane::jet

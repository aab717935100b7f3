#include "ScratchDatabase.h"

#include <fstream>
#include <string>
#include <unistd.h>

namespace corvane::fuzz {
namespace {

class ScratchFolder {
public:
    ScratchFolder()
    {
        std::error_code error;
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", error)
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        path_ = base / ("corvane-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace

std::filesystem::path writeScratchDatabase(std::span<const std::uint8_t> bytes)
{
    static const ScratchFolder folder;
    const std::filesystem::path file = folder.path() / "Corvane.mdb";
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return file;
}

}  // namespace corvane::fuzz

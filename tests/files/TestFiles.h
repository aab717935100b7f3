#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace corvane::test {

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// The output and exit code of a shell command (stderr goes where `command`
// sends it).
struct CommandResult {
    int exitCode = -1;
    std::string output;
};
CommandResult runCommand(const std::string& command);

// A word quoted for the shell.
std::string shellQuote(const std::string& word);

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& bytes);

// FNV-1a over the file's bytes: enough to see that a file did not change.
std::uint64_t fileHash(const std::filesystem::path& path);

}  // namespace corvane::test

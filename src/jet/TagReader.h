#pragma once

#include "TagReadAnswer.h"

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string>

namespace corvane::jet {

// The reader's file name; it is installed beside the server executable.
inline constexpr char kTagReaderProgram[] = "corvanesim-tagread";

// How long a read may take, and how large its answer may grow.
struct ReaderLimits {
    std::chrono::milliseconds timeout{20'000};
    std::size_t maxAnswer = std::size_t{256} << 20;
};

// Runs the tag database reader process (corvanesim-tagread) for one read and
// turns how it ended into the data layer's answer or error: its own error
// when it reports one; "unrecognized database format" naming the file when
// it crashes, hangs past the timeout or answers nonsense; error 7 when its
// answer outgrows the limit.
class TagReader {
public:
    explicit TagReader(std::filesystem::path program, ReaderLimits limits = {})
        : program_(std::move(program)), limits_(limits)
    {
    }

    // The user tables of the database at `path`.
    std::vector<std::u16string> tableNames(const std::u16string& path) const;
    // Table `table` of the database at `path`, read whole through `index`.
    TagReadAnswer::Table table(const std::u16string& path, std::u16string_view table, std::u16string_view index) const;

private:
    TagReadAnswer ask(const std::u16string& path, const std::vector<std::string>& arguments) const;

    std::filesystem::path program_;
    ReaderLimits limits_;
};

}  // namespace corvane::jet

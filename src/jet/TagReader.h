#pragma once

#include "TagReadAnswer.h"

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>

namespace corvane::jet {

// The reader's file name; it is installed beside the server executable.
inline constexpr char kTagReaderProgram[] = "corvanesim-tagread";

// How long a read may take, and how much it may write. The deadline grows
// with the file: a few seconds for any tag list, more for a database of
// millions of rows; a reader that hangs on a damaged file ends at it.
struct ReaderLimits {
    std::chrono::milliseconds baseTimeout{2'000};
    std::chrono::milliseconds timeoutPerMebibyte{250};
    std::size_t maxAnswer = std::size_t{256} << 20;
    std::size_t maxMessages = std::size_t{1} << 20;

    std::chrono::milliseconds timeoutFor(std::uintmax_t fileBytes) const;
};

// Runs the tag database reader process (corvanesim-tagread) for one read and
// turns how it ended into the data layer's answer or error: its own error
// when it reports one; "unrecognized database format" naming the file when
// it crashes, hangs past the deadline, floods its standard error or answers
// nonsense; error 7 when its answer outgrows the limit. What the reader
// writes to its standard error (libmdb's complaints) never passes through:
// a summary of a few lines goes to `messages`, when there was any.
class TagReader {
public:
    using MessageSink = std::function<void(const std::string& summary)>;

    explicit TagReader(std::filesystem::path program, ReaderLimits limits = {}, MessageSink messages = {});

    // The user tables of the database at `path`.
    std::vector<std::u16string> tableNames(const std::u16string& path) const;
    // Table `table` of the database at `path`, read whole through `index`.
    TagReadAnswer::Table table(const std::u16string& path, std::u16string_view table, std::u16string_view index) const;
    // Table `table` of the database at `path` as CSV (TableDump.h).
    std::string dump(const std::u16string& path, std::u16string_view table) const;

private:
    TagReadAnswer ask(const std::u16string& path, const std::vector<std::string>& arguments) const;

    std::filesystem::path program_;
    ReaderLimits limits_;
    MessageSink messages_;
};

}  // namespace corvane::jet

#pragma once

#include "ChildMessages.h"

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace corvane::jet {

// How a child process ended, and what it wrote on its answer channel.
struct ChildOutcome {
    enum class End {
        Exited,         // on its own; exitCode holds its exit code
        Crashed,        // ended by a signal, or by an exception on Windows
        TimedOut,       // killed at the deadline
        TooMuchOutput,  // killed when its answer outgrew the limit
        TooManyMessages,  // killed when its messages outgrew theirs: a loop that reports as it goes
        NotStarted,     // the program could not be started
    };
    End end = End::NotStarted;
    int exitCode = -1;
    std::string answer;
    ChildMessages messages;  // its standard error, summarised
};

// Runs `program` with `arguments` (UTF-8) and collects what it writes on
// its answer channel, killing it at `timeout`, beyond `maxAnswer` bytes of
// answer or beyond `maxMessages` bytes on its standard error, which is
// collected too (never passed on: a child that loops may write without end).
// On Linux the answer channel is file descriptor 3, its standard input and
// output are /dev/null, and it inherits no other descriptor; it is spawned
// rather than forked, so that it is safe in a process whose other threads
// may hold any lock. On Windows the answer channel is its standard output,
// its standard input is NUL, and a fault shows in its exit code.
ChildOutcome runChild(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                      std::chrono::milliseconds timeout, std::size_t maxAnswer,
                      std::size_t maxMessages = std::size_t{1} << 20);

}  // namespace corvane::jet

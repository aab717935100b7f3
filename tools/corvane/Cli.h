#pragma once

#include "CommandError.h"

#include "corvanesim/Data.h"

#include <ostream>
#include <string>
#include <vector>

namespace corvane::cli {

// Exit statuses.
inline constexpr int kDone = 0;
inline constexpr int kFailed = 1;  // the emulator reported an error, or cannot be reached
inline constexpr int kUsage = 2;

// What a command is doing, so that a failure can say where it happened.
class Steps {
public:
    void at(std::string step) { current_ = std::move(step); }
    const std::string& current() const { return current_; }

private:
    std::string current_;
};

// Runs `corvane ARGS...`, printing results to `out` and messages to `err`.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// A new query session on the session bus.
client::Data openSession(Steps& steps);

// The commands: each prints its help for --help, and throws UsageError,
// client::RemoteError or CommandError when it cannot do its work.
int query(const std::vector<std::string>& args, std::ostream& out, Steps& steps);
int write(const std::vector<std::string>& args, std::ostream& out, Steps& steps);
int define(const std::vector<std::string>& args, std::ostream& out, Steps& steps);
int tags(const std::vector<std::string>& args, std::ostream& out, Steps& steps);
int operatorControls(const std::vector<std::string>& args, std::ostream& out, Steps& steps);

}  // namespace corvane::cli

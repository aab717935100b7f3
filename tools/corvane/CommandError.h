#pragma once

#include <stdexcept>

namespace corvane::cli {

// A command that failed for a reason of its own rather than an Automation
// error; the message says what went wrong.
class CommandError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace corvane::cli

#pragma once

#include <stdexcept>
#include <string>

namespace corvane::stress {

// The server answered something other than what this client knows to be right.
class CheckFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline void check(bool holds, const std::string& what)
{
    if (!holds) throw CheckFailure(what);
}

}  // namespace corvane::stress

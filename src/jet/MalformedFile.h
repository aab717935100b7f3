#pragma once

#include <stdexcept>

namespace corvane::jet {

// A structure of a Jet file that no valid file has; the message says which.
class MalformedFile : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace corvane::jet

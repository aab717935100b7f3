#pragma once

#include <string>
#include <vector>

#include <sys/types.h>

namespace corvane::bench {

// One library's end of the comparison: a blocking caller on the calling
// thread, the peer or bus service it calls running in a process of its own,
// also on one thread, with the same library.
class EchoClient {
public:
    virtual ~EchoClient() = default;
    // Invoke(Tags.Count)'s call out, its reply back and read.
    virtual bool count() = 0;
    // A week of samples back, read into `into` (the one copy out of the message).
    virtual bool week(std::vector<double>& into) = 0;
};

}  // namespace corvane::bench

#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <sys/types.h>

namespace corvane::bench {

// What both libraries' echo peers answer, so that the two carry the same bytes:
// "Count" gets the reply of Tags.Count, i (qv) a(qv) (iss) u, to a call of
// Invoke's signature iqa(qv)ai; "Week" gets (i, ad) of a week of samples.
inline constexpr char kEchoPath[] = "/org/corvane/CorvaneSim/Tags/00000000000000000000000000000000";
inline constexpr char kEchoInterface[] = "org.corvane.BenchEcho";
inline constexpr std::size_t kWeekSamples = 40321;

// The week's samples the peers send, made once.
const std::vector<double>& weekSamples();

// A private bus daemon for the comparison, ended with the object.
class ComparisonBus {
public:
    ComparisonBus();
    ~ComparisonBus();
    ComparisonBus(const ComparisonBus&) = delete;
    ComparisonBus& operator=(const ComparisonBus&) = delete;

    const std::string& address() const { return address_; }

private:
    pid_t daemon_ = -1;
    std::string address_;
};

// A folder holding one socket path for a peer; removed with the object.
class PeerSocketPath {
public:
    PeerSocketPath();
    ~PeerSocketPath();
    PeerSocketPath(const PeerSocketPath&) = delete;
    PeerSocketPath& operator=(const PeerSocketPath&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string folder_;
    std::string path_;
};

// Listens on `path`; -1 when it cannot.
int listenAt(const std::string& path);
// Waits until `process` ends.
void reap(pid_t process);

}  // namespace corvane::bench

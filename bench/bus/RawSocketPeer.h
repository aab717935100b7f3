#pragma once

#include <cstddef>
#include <vector>

#include <sys/types.h>

namespace corvane::bench {

// The yardstick of the direct connection: a process at the other end of a
// plain Unix socket that reads a request of a given size and answers with a
// reply of a given size, doing nothing else. What a round trip of so many
// bytes costs on this machine, below any protocol.
class RawSocketPeer {
public:
    // Forks the peer; call before any thread starts.
    RawSocketPeer();
    ~RawSocketPeer();
    RawSocketPeer(const RawSocketPeer&) = delete;
    RawSocketPeer& operator=(const RawSocketPeer&) = delete;

    bool running() const { return socket_ >= 0; }
    // Sends `requestBytes` (at least 16), waits for all `replyBytes` of the answer.
    bool roundTrip(std::size_t requestBytes, std::size_t replyBytes);

private:
    int socket_ = -1;
    pid_t peer_ = -1;
    std::vector<char> buffer_;
};

}  // namespace corvane::bench

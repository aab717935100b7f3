#pragma once

#include "WireSizes.h"

#include <string>

#include <sys/types.h>

struct DBusConnection;

namespace corvane::bench {

// The floor of any D-Bus connection built on libdbus: a process serving a
// peer-to-peer socket with libdbus alone, on one thread, answering every
// call with a reply shaped like Tags.Count's, and this process calling it
// with a blocking libdbus call built afresh each time, also on one thread.
// Neither end hands messages between threads, as Qt D-Bus does at both.
class LibdbusEchoPeer {
public:
    // Forks the peer; call before any thread starts.
    LibdbusEchoPeer();
    ~LibdbusEchoPeer();
    LibdbusEchoPeer(const LibdbusEchoPeer&) = delete;
    LibdbusEchoPeer& operator=(const LibdbusEchoPeer&) = delete;

    // Connects to the peer (after the fork, once this process may have threads).
    bool connect();
    // One Invoke(Tags.Count)-shaped call and its reply.
    bool roundTrip();

private:
    std::string folder_;
    std::string address_;
    pid_t peer_ = -1;
    DBusConnection* connection_ = nullptr;
};

}  // namespace corvane::bench

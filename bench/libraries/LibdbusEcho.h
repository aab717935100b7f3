#pragma once

#include "EchoClient.h"

#include <memory>
#include <string>

#include <sys/types.h>

namespace corvane::bench::libdbus {

// Forks a process that serves the echo on the socket at `path`.
pid_t servePeer(const std::string& path);
// Forks a process that serves the echo under `name` on the bus at `address`;
// returns once the name is owned.
pid_t serveOnBus(const std::string& address, const std::string& name);

std::unique_ptr<EchoClient> peerClient(const std::string& path);
std::unique_ptr<EchoClient> busClient(const std::string& address, const std::string& name);

}  // namespace corvane::bench::libdbus

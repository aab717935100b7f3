#pragma once

#include "ServerDiagnostics.h"

#include <cstdint>

namespace corvane::stress {

// The server at rest: no client left, the typical query just served, the
// window's grid and write log emptied, the registry's collection run.
struct ServerSnapshot {
    Census census;
    std::uint64_t heapInUse = 0;
    std::uint64_t residentKiB = 0;
    std::uint64_t callsServed = 0;
    // How long the server took to hear of the last direct connections' ends.
    int directEndsWaitMs = 0;
    // Calls made for the registry to let go of what nothing else holds.
    int collectionCalls = 0;
};

}  // namespace corvane::stress

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane::stress {

// How long and how hard corvane_stress runs.
struct StressOptions {
    int seconds = 25;
    int clients = 4;
    std::uint64_t seed = 0;  // 0: from the clock, printed so that a run can be repeated
    // A first round of the same load before the baseline is taken, so that
    // what the server sets up once (the window, caches, the allocator's first
    // growth) does not count as growth.
    int warmupSeconds = 3;
    // Between two kills, drawn evenly.
    int killEveryMinMs = 40;
    int killEveryMaxMs = 460;
    // How the clients reach the server: "bus", "direct" or "both" (drawn for each).
    std::string route = "both";
    // How far the heap in use may end above where it started.
    std::uint64_t heapToleranceKiB = 512;
};

// The options from the command line; nothing and a message for wrong usage.
std::optional<StressOptions> parseStressOptions(const std::vector<std::string>& arguments, std::string& message);

extern const char kStressUsage[];

}  // namespace corvane::stress

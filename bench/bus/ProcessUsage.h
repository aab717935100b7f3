#pragma once

#include <cstdint>

#include <sys/types.h>

namespace corvane::bench {

// What a process (all its threads) has used so far, read from /proc.
struct ProcessUsage {
    // Processor time in nanoseconds, from the scheduler's own accounting of
    // each thread (not the 10 ms ticks of /proc/<pid>/stat).
    double cpuNanoseconds = 0;
    // Resident memory.
    std::uint64_t residentBytes = 0;
};

ProcessUsage usageOf(pid_t pid);

}  // namespace corvane::bench

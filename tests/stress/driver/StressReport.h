#pragma once

#include "ClientFleet.h"
#include "ServerSnapshot.h"
#include "StressOptions.h"

#include <QString>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace corvane::stress {

// The figures of one stress run and the verdict on them.
struct StressReport {
    StressOptions options;
    std::uint32_t serverPidAtStart = 0;
    std::uint32_t serverPidAtEnd = 0;
    bool serverEndedDuringRun = false;
    ServerSnapshot cold;    // after the first typical query
    ServerSnapshot before;  // after the warm-up
    ServerSnapshot after;   // after the load
    std::uint64_t peakHeapInUse = 0;
    std::uint64_t peakExported = 0;
    std::uint64_t peakReferences = 0;
    double loadSeconds = 0;
    ClientFleet::Figures warmup;
    ClientFleet::Figures load;
    long exitQuestionsAnswered = 0;
    QString digestBefore;
    QString digestAfter;
    // Whatever went wrong outside the figures: the typical query, the witness, waits that timed out.
    std::vector<std::string> problems;

    // Every check that failed; empty when the run holds.
    std::vector<std::string> failures() const;
    void print(std::ostream& out) const;
};

}  // namespace corvane::stress

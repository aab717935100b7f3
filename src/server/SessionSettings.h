#pragma once

#include <cstdint>
#include <string>

namespace corvane {

// The query settings that belong to the process, not to a session: every
// session reads and writes this one copy.
struct SessionSettings {
    std::int32_t SampleFrequency = 0;  // seconds between samples
    float MinimumConfidence = 0;
    std::u16string SampleMethod;
    double StartTime = 0;  // Automation dates; 0 is 30 December 1899 00:00:00
    double EndTime = 0;
};

}  // namespace corvane

#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace corvane::bench {

// One target: a figure of this run, judged by its ratio to a yardstick of
// the same run, or by itself. A figure is a benchmark's name as Google
// Benchmark prints it (its real time) or "name:counter" (a counter it reports).
struct Target {
    std::string what;
    std::string figure;
    std::string yardstick;  // empty: the figure is judged by itself
    double limit = 0;       // the ratio (or the figure alone) may be at most this
    bool strictly = false;  // less than the limit, not at most
    std::string unit;       // of a figure judged by itself
};

// Google Benchmark's console report, followed by a table of the targets:
// each figure beside its yardstick, the ratio and whether it is met. With
// repetitions, figures are the medians.
class TargetReporter final : public benchmark::ConsoleReporter {
public:
    // Coloured only on a terminal.
    explicit TargetReporter(std::vector<Target> targets);

    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    struct Figure {
        double realSeconds = 0;
        double cpuSeconds = 0;
        std::map<std::string, double> counters;
        bool median = false;
    };
    bool lookUp(const std::string& name, double& value, std::string& shown) const;

    std::vector<Target> targets_;
    std::map<std::string, Figure> figures_;
};

// Reads Google Benchmark's flags, before anything is started: --help ends
// the program here, where it leaves no peer, bus or server behind. False when
// an argument is not one of them.
bool readBenchmarkFlags(int& argc, char** argv);

// Runs the benchmarks that the flags select and prints the targets after
// them; returns the program's exit status.
int runWithTargets(std::vector<Target> targets);

}  // namespace corvane::bench

#include "Targets.h"

#include <cstdio>
#include <iostream>
#include <sstream>

#include <unistd.h>

namespace corvane::bench {

namespace {

std::string readable(double value, const std::string& unit)
{
    char text[64];
    if (unit == "s") {
        // Times in the unit that suits them.
        if (value >= 1) std::snprintf(text, sizeof text, "%.3g s", value);
        else if (value >= 1e-3) std::snprintf(text, sizeof text, "%.3g ms", value * 1e3);
        else std::snprintf(text, sizeof text, "%.3g us", value * 1e6);
    } else {
        std::snprintf(text, sizeof text, "%.4g%s%s", value, unit.empty() ? "" : " ", unit.c_str());
    }
    return text;
}

}  // namespace

TargetReporter::TargetReporter(std::vector<Target> targets)
    : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular), targets_(std::move(targets))
{
}

void TargetReporter::ReportRuns(const std::vector<Run>& runs)
{
    for (const Run& run : runs) {
        if (run.error_occurred) continue;
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        if (run.run_type == Run::RT_Aggregate && !median) continue;
        Figure& figure = figures_[run.run_name.str()];
        // A median, once there, stands for all the repetitions.
        if (figure.median && !median) continue;
        figure.median = median;
        figure.realSeconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        figure.cpuSeconds = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        figure.counters.clear();
        for (const auto& [name, counter] : run.counters) figure.counters[name] = counter.value;
    }
    ConsoleReporter::ReportRuns(runs);
}

bool TargetReporter::lookUp(const std::string& name, double& value, std::string& shown) const
{
    const std::size_t colon = name.find('#');
    const bool cpu = colon == std::string::npos && name.size() > 4 && name.ends_with("@cpu");
    const auto found = figures_.find(name.substr(0, cpu ? name.size() - 4 : colon));
    if (found == figures_.end()) return false;
    if (colon == std::string::npos) {
        value = cpu ? found->second.cpuSeconds : found->second.realSeconds;
        shown = readable(value, "s");
        return true;
    }
    const auto counter = found->second.counters.find(name.substr(colon + 1));
    if (counter == found->second.counters.end()) return false;
    value = counter->second;
    shown = readable(value, "");
    return true;
}

void TargetReporter::Finalize()
{
    std::ostream& out = GetOutputStream();
    out << "\nTargets (" << (figures_.empty() || !figures_.begin()->second.median ? "one repetition" : "medians")
        << " of this run)\n";
    char line[512];
    std::snprintf(line, sizeof line, "%-64s %12s %12s %8s %8s  %s\n", "target", "figure", "yardstick", "ratio", "limit", "");
    out << line;
    for (const Target& target : targets_) {
        double figure = 0, yardstick = 0;
        std::string figureText, yardstickText;
        if (!lookUp(target.figure, figure, figureText)
            || (!target.yardstick.empty() && !lookUp(target.yardstick, yardstick, yardstickText))) {
            std::snprintf(line, sizeof line, "%-64s %12s\n", target.what.c_str(), "(not run)");
            out << line;
            continue;
        }
        const bool alone = target.yardstick.empty();
        const double ratio = alone ? figure : figure / yardstick;
        const bool met = target.strictly ? ratio < target.limit : ratio <= target.limit;
        if (alone) figureText = readable(figure, target.unit);
        char limit[32];
        std::snprintf(limit, sizeof limit, "%s%.4g", target.strictly ? "<" : "<=", target.limit);
        char ratioText[32];
        if (alone) std::snprintf(ratioText, sizeof ratioText, "-");
        else std::snprintf(ratioText, sizeof ratioText, "%.2f", ratio);
        std::snprintf(line, sizeof line, "%-64s %12s %12s %8s %8s  %s\n", target.what.c_str(), figureText.c_str(),
                      alone ? "-" : yardstickText.c_str(), ratioText, limit, met ? "met" : "NOT MET");
        out << line;
    }
    out.flush();
    ConsoleReporter::Finalize();
}

bool readBenchmarkFlags(int& argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    return !benchmark::ReportUnrecognizedArguments(argc, argv);
}

int runWithTargets(std::vector<Target> targets)
{
    TargetReporter reporter(std::move(targets));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

}  // namespace corvane::bench

// corvane_stress: many clients, killed at random, against one server; then
// checks that the server still serves and is back where it started.
#include "StressRun.h"

#include <QCoreApplication>

#include <chrono>
#include <iostream>

using namespace corvane::stress;

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    std::string message;
    std::optional<StressOptions> options = parseStressOptions({argv + 1, argv + argc}, message);
    if (!options) {
        (message.empty() ? std::cout : std::cerr) << (message.empty() ? "" : "corvane_stress: " + message + "\n") << kStressUsage;
        return message.empty() ? 0 : 2;
    }
    if (options->seed == 0)
        options->seed = std::uint64_t(std::chrono::steady_clock::now().time_since_epoch().count()) % 1000000 + 1;
    std::cout << "corvane_stress: seed " << options->seed << " (--seed repeats the run's choices)" << std::endl;

    try {
        StressRun run(*options,
                      {QString::fromUtf8(CORVANE_STRESS_SERVICES), QString::fromUtf8(CORVANE_STRESS_CLIENT),
                       QString::fromUtf8(CORVANE_STRESS_DATABASE)});
        const StressReport report = run.run();
        report.print(std::cout);
        const std::vector<std::string> failures = report.failures();
        for (const std::string& failure : failures) std::cout << "FAILED: " << failure << "\n";
        std::cout << (failures.empty() ? "PASSED" : "FAILED") << std::endl;
        return failures.empty() ? 0 : 1;
    } catch (const std::exception& error) {
        std::cout << "FAILED: " << error.what() << std::endl;
        return 1;
    }
}

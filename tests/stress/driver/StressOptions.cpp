#include "StressOptions.h"

#include <exception>

namespace corvane::stress {

const char kStressUsage[] =
    "usage: corvane_stress [--seconds N] [--clients N] [--seed N] [--warmup-seconds N]\n"
    "                      [--kill-every MIN-MAX (ms)] [--route bus|direct|both] [--heap-tolerance-kib N]\n"
    "  Starts a private bus and the server by activation, runs N client processes\n"
    "  that are killed at random and replaced, then checks that the server still\n"
    "  serves and is back where it started. Defaults: 25 s, 4 clients, kills every\n"
    "  40-460 ms, clients on the bus and the direct connection, heap tolerance 512 KiB. The long run: --seconds 300 --clients 8\n";

std::optional<StressOptions> parseStressOptions(const std::vector<std::string>& arguments, std::string& message)
{
    StressOptions options;
    try {
        for (std::size_t i = 0; i < arguments.size(); ++i) {
            const std::string& name = arguments[i];
            if (name == "--help" || i + 1 == arguments.size()) {
                message = name == "--help" ? "" : "missing value for " + name;
                return std::nullopt;
            }
            const std::string& value = arguments[++i];
            if (name == "--seconds") options.seconds = std::stoi(value);
            else if (name == "--clients") options.clients = std::stoi(value);
            else if (name == "--seed") options.seed = std::stoull(value);
            else if (name == "--warmup-seconds") options.warmupSeconds = std::stoi(value);
            else if (name == "--route" && (value == "bus" || value == "direct" || value == "both")) options.route = value;
            else if (name == "--heap-tolerance-kib") options.heapToleranceKiB = std::stoull(value);
            else if (name == "--kill-every") {
                const std::size_t dash = value.find('-');
                options.killEveryMinMs = std::stoi(value.substr(0, dash));
                options.killEveryMaxMs = dash == std::string::npos ? options.killEveryMinMs : std::stoi(value.substr(dash + 1));
            } else {
                message = "unknown option " + name;
                return std::nullopt;
            }
        }
    } catch (const std::exception&) {
        message = "a value is not a number";
        return std::nullopt;
    }
    if (options.seconds < 1 || options.clients < 1 || options.warmupSeconds < 0 || options.killEveryMinMs < 1 ||
        options.killEveryMaxMs < options.killEveryMinMs) {
        message = "values out of range";
        return std::nullopt;
    }
    return options;
}

}  // namespace corvane::stress

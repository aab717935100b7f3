#include "ProcessUsage.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace corvane::bench {

ProcessUsage usageOf(pid_t pid)
{
    ProcessUsage usage;
    const std::filesystem::path process = "/proc/" + std::to_string(pid);
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator(process / "task", error)) {
        std::ifstream schedstat(task.path() / "schedstat");
        double onCpu = 0;
        if (schedstat >> onCpu) usage.cpuNanoseconds += onCpu;
    }
    std::ifstream status(process / "status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) usage.residentBytes = std::stoull(line.substr(6)) * 1024;  // in kB
    }
    return usage;
}

}  // namespace corvane::bench

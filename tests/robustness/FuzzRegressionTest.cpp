// Every input the fuzzers found a fault with, and every seed they start
// from, fed through the same entry points the fuzz targets call. Under the
// sanitizer build this repeats the fuzzers' checks on the saved inputs.
#include "Entries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Target {
    const char* name;  // the folder under fuzz/regressions and fuzz/corpus
    void (*entry)(std::span<const std::uint8_t>);
    const char* seeds = nullptr;  // another target's folder whose inputs it starts from too
};

void PrintTo(const Target& target, std::ostream* out) { *out << target.name; }

std::vector<fs::path> savedInputs(const std::string& folder)
{
    std::vector<fs::path> files;
    for (const char* kind : {"regressions", "corpus"}) {
        const fs::path dir = fs::path(CORVANE_FUZZ_DIR) / kind / folder;
        if (!fs::is_directory(dir)) continue;
        for (const auto& entry : fs::directory_iterator(dir))
            if (entry.is_regular_file()) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::uint8_t> bytesOf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string targetName(const ::testing::TestParamInfo<Target>& target) { return target.param.name; }

class SavedFuzzInputs : public ::testing::TestWithParam<Target> {};

TEST_P(SavedFuzzInputs, RunCleanlyThroughTheirEntryPoint)
{
    std::vector<fs::path> files = savedInputs(GetParam().name);
    if (GetParam().seeds) {
        const std::vector<fs::path> more = savedInputs(GetParam().seeds);
        files.insert(files.end(), more.begin(), more.end());
    }
    ASSERT_FALSE(files.empty()) << "no saved inputs for " << GetParam().name;
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.string());
        const std::vector<std::uint8_t> bytes = bytesOf(file);
        GetParam().entry(bytes);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryTarget, SavedFuzzInputs,
                         ::testing::Values(Target{"conversions", corvane::fuzz::runConversionInput},
                                           Target{"dispatch", corvane::fuzz::runDispatchInput},
                                           Target{"com_dispatch", corvane::fuzz::runComDispatchInput},
                                           Target{"jet_file", corvane::fuzz::runJetFileInput},
                                           Target{"own_reader", corvane::fuzz::runOwnReaderInput, "jet_file"},
                                           Target{"reader_answer", corvane::fuzz::runReaderAnswerInput},
                                           Target{"bus_values", corvane::fuzz::runBusValueInput}),
                         targetName);

}  // namespace

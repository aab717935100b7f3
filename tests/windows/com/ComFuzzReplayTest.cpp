// The com_dispatch fuzz target's saved inputs against the real OLE Automation
// functions: the fuzzer runs the conversion over a stand-in on Linux, and
// this keeps the stand-in from drifting from what oleaut32 does.
#include "Entries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

namespace fs = std::filesystem;

TEST(ComFuzzInputs, RunCleanlyOverTheRealOleAutomation)
{
    std::vector<fs::path> files;
    for (const char* kind : {"regressions", "corpus"}) {
        const fs::path dir = fs::path(CORVANE_FUZZ_DIR) / kind / "com_dispatch";
        if (!fs::is_directory(dir)) continue;
        for (const auto& entry : fs::directory_iterator(dir))
            if (entry.is_regular_file()) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty());
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.string());
        std::ifstream in(file, std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        corvane::fuzz::runComDispatchInput(bytes);
    }
}

}  // namespace

// How long a damaged tag database costs the server's reader and the tag
// database tool before they give up: an engine-written file cut in half, and
// the same file with one byte of the database's properties set to zero; on
// either, libmdb alone would parse the properties for ever.
#include "TagReader.h"
#include "JetText.h"
#include "automation/AutomationError.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace corvane;

std::string bytesOf(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The damaged copies, written once per run.
const std::filesystem::path& damagedFile(int kind)
{
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() / "corvane-bench-damaged";
        std::filesystem::create_directories(path);
        const std::string whole = bytesOf(std::filesystem::path(CORVANE_JET_SAMPLES) / "test2V2000.mdb");
        std::ofstream(path / "cut.mdb", std::ios::binary) << whole.substr(0, whole.size() / 2 / 4096 * 4096);
        std::string zeroed = whole;
        zeroed[31 * 4096 + 2753] = 0;
        std::ofstream(path / "zeroed.mdb", std::ios::binary) << zeroed;
        return path;
    }();
    static const std::filesystem::path files[] = {folder / "cut.mdb", folder / "zeroed.mdb"};
    return files[kind];
}

void ReaderRefusesDamagedSample(benchmark::State& state)
{
    std::size_t messages = 0;
    const jet::TagReader reader(CORVANE_TAGREAD_PROGRAM, {}, [&](const std::string& summary) { messages = summary.size(); });
    const std::u16string path = jet::fromUtf8(damagedFile(static_cast<int>(state.range(0))).string());
    for (auto _ : state) {
        try {
            reader.tableNames(path);
            state.SkipWithError("the damaged file was read");
            break;
        } catch (const automation::AutomationError&) {
        }
    }
    state.counters["message_bytes"] = static_cast<double>(messages);
}
BENCHMARK(ReaderRefusesDamagedSample)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void ToolRefusesDamagedSample(benchmark::State& state)
{
    const std::string file = damagedFile(static_cast<int>(state.range(0))).string();
    char program[] = CORVANE_TAGDB_PROGRAM;
    char command[] = "list";
    char* arguments[] = {program, command, const_cast<char*>(file.c_str()), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t child = 0;
        int status = 0;
        if (posix_spawn(&child, program, &actions, nullptr, arguments, environ) != 0 || ::waitpid(child, &status, 0) != child ||
            !WIFEXITED(status) || WEXITSTATUS(status) != 1) {
            state.SkipWithError("the tool did not refuse the file");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}
BENCHMARK(ToolRefusesDamagedSample)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

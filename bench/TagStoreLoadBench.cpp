// Loading a 100,000-row tag table through the tag store as the server does
// (libmdb in the reader process, its answer decoded, the conversions, the
// keyed collection), next to mdb-export of the same file, in one run; the
// in-process parts of it for the breakdown; and our own reader's load.
#include "IsolatedDataLayer.h"
#include "JetDataLayer.h"
#include "JetText.h"
#include "JetWriter.h"
#include "MdbDataLayer.h"
#include "automation/RegionalSettings.h"
#include "server/TagStore.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace corvane;

constexpr int kRows = 100000;

// Processor time of this process and of the children it has waited for, in
// milliseconds: the reader process's share counts, and on a busy machine the
// clock would count the other engineers' work too.
double processorMilliseconds()
{
    const auto ms = [](const rusage& usage) {
        return 1e3 * double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
               + 1e-3 * double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
    };
    rusage self{}, children{};
    ::getrusage(RUSAGE_SELF, &self);
    ::getrusage(RUSAGE_CHILDREN, &children);
    return ms(self) + ms(children);
}

// Reports the processor time per iteration spent since `start`.
void reportProcessorTime(benchmark::State& state, double start)
{
    state.counters["cpu_ms"] = (processorMilliseconds() - start) / double(std::max<benchmark::IterationCount>(state.iterations(), 1));
}

jet::DatabaseSpec tagDatabase(int rows)
{
    jet::TableSpec table{u"Default",
                         {{u"Tag", jet::ColumnType::Text, 40}, {u"Value", jet::ColumnType::Double}, {u"Confidence", jet::ColumnType::Long}},
                         {},
                         jet::IndexSpec{u"PrimaryKey", u"Tag", true}};
    const char* kinds[] = {"PT", "TT", "FT", "LT", "TIC", "FIC"};
    for (int i = 0; i < rows; ++i) {
        const std::string name = std::string(i % 3 ? "01" : "10") + kinds[i % 6] + std::to_string(i) + ".PV";
        table.rows.push_back({jet::Cell(jet::fromUtf8(name)), jet::Cell(i * 0.37 - 50.0), jet::Cell(std::int64_t{i % 101})});
    }
    jet::DatabaseSpec database;
    database.tables.push_back(std::move(table));
    return database;
}

// The folder holding Corvane.mdb with kRows rows, written once per run.
const std::filesystem::path& databaseFolder()
{
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() / "corvane-bench-tagstore";
        std::filesystem::create_directories(path);
        jet::writeDatabaseFile(tagDatabase(kRows), path / "Corvane.mdb");
        return path;
    }();
    return folder;
}

void loadTagStore(benchmark::State& state, TagDataLayer& dataLayer)
{
    const std::u16string folder = jet::fromUtf8(databaseFolder().string());
    double spent = 0;
    for (auto _ : state) {
        const double start = processorMilliseconds();
        auto store = std::make_unique<TagStore>(dataLayer, folder, automation::FixedRegionalSettings::english());
        store->LoadTagTable();
        benchmark::DoNotOptimize(store->tagTable()->count());
        spent += processorMilliseconds() - start;
        // Freeing the table is not part of loading it (mdb-export's time has
        // no teardown either).
        state.PauseTiming();
        store.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = kRows;
    state.counters["cpu_ms"] = spent / double(std::max<benchmark::IterationCount>(state.iterations(), 1));
}

// The server's own path: every read runs corvanesim-tagread.
void TagStoreLoadThroughTheReader(benchmark::State& state)
{
    jet::IsolatedDataLayer dataLayer{jet::TagReader(CORVANE_TAGREAD_PROGRAM)};
    loadTagStore(state, dataLayer);
}
BENCHMARK(TagStoreLoadThroughTheReader)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same with libmdb in this process, for the share of the reader process.
void TagStoreLoadInProcess(benchmark::State& state)
{
    jet::MdbDataLayer dataLayer;
    loadTagStore(state, dataLayer);
}
BENCHMARK(TagStoreLoadInProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same with our own reader in this process, as the Windows reader
// process runs it.
void TagStoreLoadByOwnReader(benchmark::State& state)
{
    jet::JetDataLayer dataLayer;
    loadTagStore(state, dataLayer);
}
BENCHMARK(TagStoreLoadByOwnReader)->Unit(benchmark::kMillisecond)->UseRealTime();

template <class DataLayer>
void DataLayerSnapshot(benchmark::State& state)
{
    DataLayer dataLayer;
    const std::u16string file = jet::fromUtf8((databaseFolder() / "Corvane.mdb").string());
    const double start = processorMilliseconds();
    for (auto _ : state) {
        auto connection = dataLayer.createConnection();
        connection->open(file);
        auto recordset = connection->createRecordset();
        recordset->open(u"Default", u"PrimaryKey");
        benchmark::DoNotOptimize(recordset->eof());
    }
    reportProcessorTime(state, start);
}
BENCHMARK(DataLayerSnapshot<jet::MdbDataLayer>)->Name("DataLayerSnapshot")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(DataLayerSnapshot<jet::JetDataLayer>)->Name("OwnReaderSnapshot")->Unit(benchmark::kMillisecond)->UseRealTime();

void MdbExport(benchmark::State& state)
{
    // Spawned directly, not through a shell, with its output thrown away.
    const std::string file = (databaseFolder() / "Corvane.mdb").string();
    char program[] = "mdb-export";
    char table[] = "Default";
    char* arguments[] = {program, const_cast<char*>(file.c_str()), table, nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const double start = processorMilliseconds();
    for (auto _ : state) {
        pid_t child = 0;
        int status = 0;
        if (posix_spawnp(&child, program, &actions, nullptr, arguments, environ) != 0 || ::waitpid(child, &status, 0) != child
            || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("mdb-export failed");
            break;
        }
    }
    reportProcessorTime(state, start);
    posix_spawn_file_actions_destroy(&actions);
}
BENCHMARK(MdbExport)->Unit(benchmark::kMillisecond)->UseRealTime();

void WriteDatabase(benchmark::State& state)
{
    const jet::DatabaseSpec database = tagDatabase(kRows);
    for (auto _ : state) benchmark::DoNotOptimize(jet::buildDatabase(database).size());
}
BENCHMARK(WriteDatabase)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

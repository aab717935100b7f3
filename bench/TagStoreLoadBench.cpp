// Loading a 100,000-row tag table through the tag store (libmdb data layer,
// conversions, keyed collection), next to mdb-export of the same file, in
// one run.
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

namespace {

using namespace corvane;

constexpr int kRows = 100000;

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

void TagStoreLoad(benchmark::State& state)
{
    jet::MdbDataLayer dataLayer;
    const std::u16string folder = jet::fromUtf8(databaseFolder().string());
    for (auto _ : state) {
        auto store = std::make_unique<TagStore>(dataLayer, folder, automation::FixedRegionalSettings::english());
        store->LoadTagTable();
        benchmark::DoNotOptimize(store->tagTable()->count());
        // Freeing the table is not part of loading it (mdb-export's time has
        // no teardown either).
        state.PauseTiming();
        store.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = kRows;
}
BENCHMARK(TagStoreLoad)->Unit(benchmark::kMillisecond)->UseRealTime();

void DataLayerSnapshot(benchmark::State& state)
{
    jet::MdbDataLayer dataLayer;
    const std::u16string file = jet::fromUtf8((databaseFolder() / "Corvane.mdb").string());
    for (auto _ : state) {
        auto connection = dataLayer.createConnection();
        connection->open(file);
        auto recordset = connection->createRecordset();
        recordset->open(u"Default", u"PrimaryKey");
        benchmark::DoNotOptimize(recordset->eof());
    }
}
BENCHMARK(DataLayerSnapshot)->Unit(benchmark::kMillisecond)->UseRealTime();

void MdbExport(benchmark::State& state)
{
    const std::string command = "mdb-export '" + (databaseFolder() / "Corvane.mdb").string() + "' Default > /dev/null";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) state.SkipWithError("mdb-export failed");
}
BENCHMARK(MdbExport)->Unit(benchmark::kMillisecond)->UseRealTime();

void WriteDatabase(benchmark::State& state)
{
    const jet::DatabaseSpec database = tagDatabase(kRows);
    for (auto _ : state) benchmark::DoNotOptimize(jet::buildDatabase(database).size());
}
BENCHMARK(WriteDatabase)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

// The server reads its tag database in a reader process of its own: it sees
// the same tables and errors as a read in process, and a reader that
// crashes, hangs, talks nonsense or answers too much costs the load, never
// the server.
#include "ChildProcess.h"
#include "EngineSamples.h"
#include "IsolatedDataLayer.h"
#include "JetFormat.h"
#include "JetWriter.h"
#include "MdbDataLayer.h"
#include "TestFiles.h"
#include "automation/AutomationError.h"
#include "automation/RegionalSettings.h"
#include "server/DataLayerErrors.h"
#include "server/TagStore.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>

namespace {

using namespace corvane;
using automation::AutomationError;
using automation::Variant;
namespace fs = std::filesystem;

const fs::path kFuzzDir = CORVANE_FUZZ_DIR;

std::vector<fs::path> filesIn(const fs::path& folder)
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// What a whole read of a file gives: the tables with their rows, or the error.
struct ReadResult {
    std::optional<std::pair<std::int32_t, std::u16string>> error;
    std::vector<std::u16string> tables;
    std::vector<std::vector<std::u16string>> fieldNames;
    std::vector<std::vector<std::vector<Variant>>> rows;
    std::optional<std::int32_t> tagTableError;  // opening Default through PrimaryKey
};

ReadResult readWhole(TagDataLayer& dataLayer, const std::u16string& path)
{
    ReadResult result;
    try {
        auto connection = dataLayer.createConnection();
        connection->open(path);
        result.tables = connection->tableNames();
        for (const std::u16string& table : result.tables) {
            auto recordset = connection->createRecordset();
            recordset->open(table, u"");
            result.fieldNames.push_back(recordset->fieldNames());
            auto& rows = result.rows.emplace_back();
            for (; !recordset->eof(); recordset->moveNext()) {
                auto& row = rows.emplace_back();
                for (const auto& name : result.fieldNames.back()) row.push_back(recordset->field(name));
            }
        }
        try {
            connection->createRecordset()->open(u"Default", u"PrimaryKey");
        } catch (const AutomationError& e) {
            result.tagTableError = e.hresult();
        }
    } catch (const AutomationError& e) {
        result.error = {e.hresult(), e.description()};
    }
    return result;
}

std::uint16_t u16At(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

// A file that passes every structural check but would make libmdb loop for
// ever, were it to read the memo itself:
// the Value column (a Double, with Confidence the next 4 bytes) retyped as a
// 12-byte memo whose first row points at a long-value chain of one 4-byte
// link that names itself. libmdb follows such chains until a link names
// none, copying nothing from each.
std::string memoChainPointingAtItself()
{
    jet::TableSpec table;
    table.name = u"Default";
    table.columns = {{u"Tag", jet::ColumnType::Text, 16}, {u"Value", jet::ColumnType::Double}, {u"Confidence", jet::ColumnType::Long}};
    table.rows = {{jet::Cell(u"TT101"), jet::Cell(1.5), jet::Cell(std::int64_t{77})},
                  {jet::Cell(u"TT102"), jet::Cell(2.5), jet::Cell(std::int64_t{88})}};
    table.index = jet::IndexSpec{u"PrimaryKey", u"Tag", true};
    jet::DatabaseSpec database;
    database.tables.push_back(std::move(table));
    std::vector<std::uint8_t> bytes = jet::buildDatabase(database);

    constexpr std::size_t kDefinition = 5 * jet::kPageSize, kData = 6 * jet::kPageSize;  // the writer's page plan
    const std::size_t value = kDefinition + 63 + 12 * 1 + 25 * 1;  // one real index, then the second column
    bytes[value] = 12;                                              // a memo
    bytes[value + 23] = 12;                                         // of 12 bytes
    const std::uint8_t link[4] = {2, 6, 0, 0};                      // row 2 of page 6
    const std::size_t firstRow = kData + (u16At(bytes, kData + 14) & 0x1FFF);
    const std::uint8_t header[12] = {16, 0, 0, 0, link[0], link[1], link[2], link[3], 0, 0, 0, 0};  // 16 bytes, chained
    std::memcpy(&bytes[firstRow + 2], header, sizeof header);
    const std::size_t lowestRow = u16At(bytes, kData + 16) & 0x1FFF;  // row 1 lies lowest
    bytes[kData + 18] = static_cast<std::uint8_t>(lowestRow - 4);      // row 2: the 4 bytes below it
    bytes[kData + 19] = static_cast<std::uint8_t>((lowestRow - 4) >> 8);
    std::memcpy(&bytes[kData + lowestRow - 4], link, sizeof link);
    return {bytes.begin(), bytes.end()};
}

class IsolatedReader : public ::testing::Test {
protected:
    jet::IsolatedDataLayer isolated(jet::ReaderLimits limits = {}) const
    {
        return jet::IsolatedDataLayer(jet::TagReader(CORVANE_TAGREAD, limits));
    }

    // A stand-in reader: a shell script doing `body`.
    fs::path script(const std::string& body) const
    {
        const fs::path file = folder / "reader.sh";
        test::writeFile(file, "#!/bin/sh\n" + body + "\n");
        fs::permissions(file, fs::perms::owner_all);
        return file;
    }

    // The error a load through `dataLayer` of the file `bytes` ends with.
    std::optional<AutomationError> loadError(TagDataLayer& dataLayer, const std::string& bytes) const
    {
        test::writeFile(folder / "Corvane.mdb", bytes);
        TagStore store(dataLayer, folder.path().u16string(), automation::FixedRegionalSettings::english());
        try {
            store.LoadTagTable();
        } catch (const AutomationError& e) {
            return e;
        }
        return std::nullopt;
    }

    std::u16string databasePath() const { return (folder / "Corvane.mdb").u16string(); }

    test::TempFolder folder;
};

TEST_F(IsolatedReader, ReadsEveryFileTheToolWritesExactlyAsTheReaderInProcess)
{
    jet::MdbDataLayer inProcess;
    auto throughReader = isolated();
    for (const fs::path& file : filesIn(kFuzzDir / "corpus" / "jet_file")) {
        SCOPED_TRACE(file.filename().string());
        const ReadResult expected = readWhole(inProcess, file.u16string());
        const ReadResult actual = readWhole(throughReader, file.u16string());
        EXPECT_FALSE(expected.error.has_value());
        EXPECT_EQ(actual.error, expected.error);
        EXPECT_EQ(actual.tables, expected.tables);
        EXPECT_EQ(actual.fieldNames, expected.fieldNames);
        EXPECT_EQ(actual.rows, expected.rows);
        EXPECT_EQ(actual.tagTableError, expected.tagTableError);
    }
}

TEST_F(IsolatedReader, GivesTheDataLayersOwnErrorsForMissingFilesTablesAndIndexes)
{
    auto throughReader = isolated();
    jet::MdbDataLayer inProcess;
    const std::u16string missing = (folder / "Missing.mdb").u16string();
    EXPECT_EQ(readWhole(throughReader, missing).error, readWhole(inProcess, missing).error);

    const std::u16string noTable = (kFuzzDir / "corpus" / "jet_file" / "no-table.mdb").u16string();
    const std::u16string noIndex = (kFuzzDir / "corpus" / "jet_file" / "no-index.mdb").u16string();
    EXPECT_EQ(readWhole(throughReader, noTable).tagTableError, data_layer::kNoSuchTable);
    EXPECT_EQ(readWhole(throughReader, noIndex).tagTableError, data_layer::kNoSuchIndex);
}

TEST_F(IsolatedReader, LoadsTheTagTableAndLeavesTheFileAsItWas)
{
    auto throughReader = isolated();
    const std::string bytes = test::readFile(kFuzzDir / "corpus" / "jet_file" / "sample.mdb");
    EXPECT_FALSE(loadError(throughReader, bytes).has_value());
    EXPECT_EQ(test::readFile(folder / "Corvane.mdb"), bytes);
}

TEST_F(IsolatedReader, RefusesEveryDamagedFileTheFuzzerFoundWithTheLoadError)
{
    auto throughReader = isolated();
    const auto files = filesIn(kFuzzDir / "regressions" / "jet_file");
    ASSERT_FALSE(files.empty());
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        const auto error = loadError(throughReader, test::readFile(file));
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->hresult(), data_layer::kFileError);
        EXPECT_EQ(error->description(), u"Unrecognized database format '" + databasePath() + u"'.");
    }
}

TEST_F(IsolatedReader, ContainsEveryFileThatMakesLibmdbLoopWithTheLoadError)
{
    auto throughReader = isolated();
    const auto patches = filesIn(kFuzzDir / "regressions" / "jet_file_reader");
    ASSERT_FALSE(patches.empty());
    for (const fs::path& patch : patches) {
        SCOPED_TRACE(patch.filename().string());
        const auto error = loadError(throughReader, test::patchedSample(patch));
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->description(), u"Unrecognized database format '" + databasePath() + u"'.");
    }
}

TEST_F(IsolatedReader, MemoChainThatNamesItselfIsRefusedWithoutWaitingForTheDeadline)
{
    // libmdb follows such a chain for ever; our own reading of long values
    // sees the loop, and the reader answers with the error.
    test::writeFile(folder / "Corvane.mdb", memoChainPointingAtItself());
    const jet::ChildOutcome read = jet::runChild(CORVANE_TAGREAD, {(folder / "Corvane.mdb").string(), "Default", "PrimaryKey"},
                                                 std::chrono::seconds(60), std::size_t{1} << 20);
    EXPECT_EQ(read.end, jet::ChildOutcome::End::Exited);

    auto throughReader = isolated({std::chrono::milliseconds(1000)});
    const auto error = loadError(throughReader, memoChainPointingAtItself());
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->description(), u"Unrecognized database format '" + databasePath() + u"'.");
}

TEST_F(IsolatedReader, ReaderThatCrashesCostsTheLoadNotTheServer)
{
    jet::IsolatedDataLayer crashing(jet::TagReader(script("kill -SEGV $$")));
    const auto error = loadError(crashing, "any bytes");
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->description(), u"Unrecognized database format '" + databasePath() + u"'.");
}

TEST_F(IsolatedReader, ReaderThatHangsIsKilledAtTheTimeout)
{
    // exec: the reader itself must go, not a shell in front of it.
    jet::IsolatedDataLayer hanging(jet::TagReader(script("exec sleep 600"), {std::chrono::milliseconds(200)}));
    const auto error = loadError(hanging, "any bytes");
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->hresult(), data_layer::kFileError);
}

TEST_F(IsolatedReader, ReaderThatWritesWithoutEndIsStoppedAndOnlySummarised)
{
    std::string log;
    jet::IsolatedDataLayer flooding(jet::TagReader(script("exec yes 'Warning: mdb_col_to_string called on unsupported data type 0.' >&2"), {},
                                                      [&](const std::string& summary) { log += summary; }));
    const auto error = loadError(flooding, "any bytes");
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->description(), u"Unrecognized database format '" + databasePath() + u"'.");
    EXPECT_LT(log.size(), 512u);
    EXPECT_NE(log.find("\"Warning: mdb_col_to_string called on unsupported data type 0.\" ("), std::string::npos) << log;
}

TEST_F(IsolatedReader, ReaderThatAnswersNonsenseIsNotBelieved)
{
    for (const char* answer : {"printf 'nonsense' >&3", "printf 'CVT1\\002\\377\\377\\377\\377' >&3", "exit 0", "exit 3"}) {
        SCOPED_TRACE(answer);
        jet::IsolatedDataLayer lying(jet::TagReader(script(answer)));
        const auto error = loadError(lying, "any bytes");
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->hresult(), data_layer::kFileError);
    }
}

TEST_F(IsolatedReader, AnswerBeyondTheLimitIsOutOfMemory)
{
    jet::IsolatedDataLayer flooding(
        jet::TagReader(script("head -c 3000000 /dev/zero >&3"), {std::chrono::seconds(20), {}, std::size_t{1} << 20}));
    const auto error = loadError(flooding, "any bytes");
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->number(), automation::error::kOutOfMemory);
}

TEST_F(IsolatedReader, MissingReaderProgramIsAFileError)
{
    jet::IsolatedDataLayer absent(jet::TagReader(folder / "no-such-reader"));
    const auto error = loadError(absent, "any bytes");
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->hresult(), data_layer::kFileError);
}

}  // namespace

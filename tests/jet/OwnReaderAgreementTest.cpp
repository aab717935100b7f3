// Our own Jet 4 reader against the one over libmdb: for every file the engine
// wrote and every file the tag database tool writes, the same tables, the
// same errors, the same fields and values row by row, the same dump.
#include "EngineSamples.h"
#include "JetConnection.h"
#include "JetDataLayer.h"
#include "JetText.h"
#include "MdbConnection.h"
#include "MdbDataLayer.h"
#include "MdbTableDump.h"
#include "TagDbCommands.h"
#include "TestFiles.h"
#include "TextHelpers.h"
#include "automation/AutomationError.h"
#include "server/DataLayerErrors.h"

#include <gtest/gtest.h>

#include <sstream>

namespace corvane::test {
namespace {

using automation::AutomationError;

// Every table of a file read whole through one data layer: the rows, or the
// error that opening it gave.
struct ReadTable {
    std::int32_t error = 0;
    std::vector<std::u16string> names;
    std::vector<std::vector<automation::Variant>> rows;
};

ReadTable readTable(TagConnection& connection, const std::u16string& table)
{
    ReadTable read;
    auto recordset = connection.createRecordset();
    try {
        recordset->open(table, u"");
    } catch (const AutomationError& error) {
        read.error = error.hresult();
        return read;
    }
    read.names = recordset->fieldNames();
    for (; !recordset->eof(); recordset->moveNext()) {
        auto& row = read.rows.emplace_back();
        for (const std::u16string& name : read.names) row.push_back(recordset->field(name));
    }
    return read;
}

void expectSameReading(const std::filesystem::path& file)
{
    SCOPED_TRACE(file.filename().string());
    const std::u16string path = jet::fromUtf8(file.string());
    jet::MdbConnection theirs;
    jet::JetConnection ours;
    theirs.open(path);
    ours.open(path);
    ASSERT_EQ(ours.tableNames(), theirs.tableNames());
    std::vector<std::u16string> tables = theirs.tableNames();
    tables.push_back(u"MSysObjects");  // long values over several pages, binary fields, moved rows
    for (const std::u16string& table : tables) {
        SCOPED_TRACE(jet::toUtf8(table));
        const ReadTable expected = readTable(theirs, table), actual = readTable(ours, table);
        ASSERT_EQ(actual.error, expected.error);
        ASSERT_EQ(actual.names, expected.names);
        ASSERT_EQ(actual.rows.size(), expected.rows.size());
        for (std::size_t r = 0; r < actual.rows.size(); ++r)
            for (std::size_t c = 0; c < actual.names.size(); ++c)
                ASSERT_EQ(actual.rows[r][c], expected.rows[r][c]) << "row " << r << ", " << jet::toUtf8(actual.names[c]);
        if (expected.error == 0) {
            EXPECT_EQ(ours.dump(table), jet::dumpTable(theirs.session(), table));
        }
    }
}

// The files the tool writes: each case of the tests, and the awkward shapes.
std::vector<std::filesystem::path> writeToolFiles(const TempFolder& folder)
{
    std::vector<std::vector<std::string>> commands;
    for (const auto& entry : std::filesystem::directory_iterator(CORVANE_CASES_DIR))
        commands.push_back({"create", (folder / (entry.path().stem().string() + ".mdb")).string(), "--from",
                            entry.path().string()});
    commands.push_back({"create", (folder / "sample.mdb").string(), "--from", CORVANE_SAMPLE_CSV});
    commands.push_back({"create", (folder / "no-index.mdb").string(), "--from", CORVANE_SAMPLE_CSV, "--no-index"});
    commands.push_back({"create", (folder / "no-table.mdb").string(), "--no-table"});
    std::vector<std::filesystem::path> files;
    const jet::TagReader unused("/nonexistent");
    for (const auto& command : commands) {
        std::ostringstream out, err;
        if (tagdb::runTagDb(command, unused, out, err) == 0) files.push_back(command[1]);
    }
    return files;
}

TEST(OwnReader, ReadsEveryEngineSampleAsLibmdbDoes)
{
    for (const auto& sample : sampleFiles()) expectSameReading(sample);
}

TEST(OwnReader, ReadsEveryFileTheToolWritesAsLibmdbDoes)
{
    const TempFolder folder;
    const auto files = writeToolFiles(folder);
    EXPECT_GE(files.size(), 10u);
    for (const auto& file : files) expectSameReading(file);
}

TEST(OwnReader, RefusesWhatIsNoDatabaseWithTheDataLayersErrors)
{
    const TempFolder folder;
    jet::JetDataLayer dataLayer;
    auto connection = dataLayer.createConnection();
    const auto code = [&](const std::filesystem::path& file) {
        try {
            connection->open(jet::fromUtf8(file.string()));
        } catch (const AutomationError& error) {
            return error.hresult();
        }
        return 0;
    };
    EXPECT_EQ(code(folder / "absent.mdb"), data_layer::kFileError);
    writeFile(folder / "text.mdb", std::string(8192, 'x'));
    EXPECT_EQ(code(folder / "text.mdb"), data_layer::kFileError);
    EXPECT_FALSE(connection->isOpen());
}

}  // namespace
}  // namespace corvane::test

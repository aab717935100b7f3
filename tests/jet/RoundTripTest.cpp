// Every kind of file the tool writes, read back value for value by two
// readers nobody here wrote (mdbtools and mdb-reader) and by our own dump.
#include "CsvTable.h"
#include "ExternalReaders.h"
#include "JetText.h"
#include "MdbDataLayer.h"
#include "server/DataLayerErrors.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <optional>

namespace corvane::test {
namespace {

// Writes a CSV of `rows` generated tags into `path`.
void writeGeneratedTags(const std::filesystem::path& path, int rows)
{
    std::ofstream out(path);
    out << "Tag:text(40),Value:double,Confidence:long\n";
    const char* kinds[] = {"PT", "TT", "FT", "LT", "TIC", "FIC"};
    for (int i = 0; i < rows; ++i)
        out << kinds[i % 6] << (i * 7919) % 1000003 << ".PV," << (i % 1000) * 0.125 - 40.0 + i / 3.0 << "," << i % 101 << "\n";
}

struct RoundTripCase {
    std::string name;
    std::string csv;  // a file in cases/, or empty for generated rows
    int generatedRows = 0;
    std::vector<std::string> options;
    std::string table = "Default";
    bool primaryKeyOnTag = true;
};

std::ostream& operator<<(std::ostream& out, const RoundTripCase& c) { return out << c.name; }

const std::vector<RoundTripCase>& roundTripCases()
{
    const auto file = [](std::string name, std::string csv, std::vector<std::string> options = {},
                         std::string table = "Default", bool primaryKeyOnTag = true) {
        return RoundTripCase{std::move(name), std::move(csv), 0, std::move(options), std::move(table), primaryKeyOnTag};
    };
    const auto generated = [](std::string name, int rows) { return RoundTripCase{std::move(name), "", rows, {}, "Default", true}; };
    static const std::vector<RoundTripCase> cases = {
        file("SampleDatabase", CORVANE_SAMPLE_CSV),
        file("NullFields", "nulls.csv"),
        file("TextInANumericField", "text-in-number.csv"),
        file("ValuesBeyondTheSingleRange", "beyond-single.csv"),
        file("FractionalConfidences", "fractional-confidence.csv"),
        file("NamesThatDifferOnlyInCase", "case-duplicates.csv", {"--index-on", "Id"}, "Default", false),
        file("EmptyTable", "empty-table.csv"),
        file("TableWithoutIndex", "nulls.csv", {"--no-index"}, "Default", false),
        file("IndexUnderAnotherName", "nulls.csv", {"--index", "ByTag"}),
        file("PlainUniqueIndex", "nulls.csv", {"--unique-index"}, "Default", false),
        file("DatabaseWithoutTheDefaultTable", "nulls.csv", {}, "Other"),
        file("ExtraFields", "extra-fields.csv"),
        file("MissingField", "missing-field.csv"),
        file("TextBeyondLatin1", "non-latin1.csv"),
        file("TagNamesOfEveryKind", "tag-names.csv"),
        file("ExactNumbersAndMemos", "exact-numbers-and-memos.csv"),
        generated("TableOfManyPages", 3000),
        generated("TableBeyondASimpleUsageMap", 80000),
    };
    return cases;
}

class RoundTrip : public ::testing::TestWithParam<RoundTripCase> {
protected:
    void SetUp() override
    {
        const RoundTripCase& c = GetParam();
        if (c.csv.empty()) {
            csv_ = folder_ / "generated.csv";
            writeGeneratedTags(csv_, c.generatedRows);
        } else {
            csv_ = c.csv.front() == '/' ? std::filesystem::path(c.csv) : std::filesystem::path(CORVANE_CASES_DIR) / c.csv;
        }
        std::vector<std::string> args{"create", database().string(), "--from", csv_.string()};
        if (c.table != "Default") args.insert(args.end(), {"--table", c.table});
        args.insert(args.end(), c.options.begin(), c.options.end());
        const ToolResult created = runTagDbTool(args);
        ASSERT_EQ(created.exitCode, 0) << created.output;
        writtenHash_ = fileHash(database());

        std::ifstream in(csv_, std::ios::binary);
        written_ = tagdb::tableFromCsv(jet::fromUtf8(c.table), tagdb::readCsv(in));
    }

    // No reader may change the file.
    void TearDown() override
    {
        if (writtenHash_) {
            EXPECT_EQ(fileHash(database()), *writtenHash_) << "the database changed";
        }
    }

    std::filesystem::path database() const { return folder_ / "out.mdb"; }

    TempFolder folder_;
    std::filesystem::path csv_;
    jet::TableSpec written_;
    std::optional<std::uint64_t> writtenHash_;
};

TEST_P(RoundTrip, EveryReaderGetsBackEveryValue)
{
    for (Reader reader : {Reader::MdbExport, Reader::MdbReader, Reader::OwnDump}) {
        const auto differences = compareTable(written_, readTable(reader, database(), GetParam().table), reader);
        EXPECT_TRUE(differences.empty()) << ::testing::PrintToString(differences);
    }
}

TEST_P(RoundTrip, EveryReaderListsTheTable)
{
    for (Reader reader : {Reader::MdbExport, Reader::MdbReader, Reader::OwnDump})
        EXPECT_EQ(listTables(reader, database()), std::vector<std::string>{GetParam().table}) << readerName(reader);
}

TEST_P(RoundTrip, SchemaShowsTheIndexAsWritten)
{
    const RoundTripCase& c = GetParam();
    const std::string schema = runCommand("mdb-schema " + shellQuote(database().string()) + " mysql 2>/dev/null").output;
    const bool hasPrimaryKey = schema.find("ADD PRIMARY KEY (`Tag`)") != std::string::npos;
    EXPECT_EQ(hasPrimaryKey, c.primaryKeyOnTag) << schema;
}

TEST_P(RoundTrip, LibmdbFindsTheIndexByTheNameItWasWrittenUnder)
{
    const auto& options = GetParam().options;
    const auto named = std::find(options.begin(), options.end(), "--index");
    const bool indexed = std::find(options.begin(), options.end(), "--no-index") == options.end();
    const std::u16string name = named != options.end() ? jet::fromUtf8(*(named + 1)) : u"PrimaryKey";

    jet::MdbDataLayer dataLayer;
    auto connection = dataLayer.createConnection();
    connection->open(jet::fromUtf8(database().string()));
    const std::u16string table = jet::fromUtf8(GetParam().table);
    if (indexed) {
        EXPECT_NO_THROW(connection->createRecordset()->open(table, name));
    }
    try {
        connection->createRecordset()->open(table, u"NoSuchIndex");
        ADD_FAILURE() << "an index that was never written was found";
    } catch (const automation::AutomationError& error) {
        EXPECT_EQ(error.hresult(), data_layer::kNoSuchIndex);
    }
}

INSTANTIATE_TEST_SUITE_P(FilesTheToolWrites, RoundTrip, ::testing::ValuesIn(roundTripCases()),
                         [](const auto& param) { return param.param.name; });

TEST(RoundTripSchema, ShowsThePrimaryKeyIndexByItsNameWhenItIsAPlainUniqueIndex)
{
    // mdb-schema names a primary key after its table ("Default_pkey"); a plain
    // unique index keeps its own name in the output.
    TempFolder folder;
    const auto file = folder / "unique.mdb";
    ASSERT_EQ(runTagDbTool({"create", file.string(), "--from", CORVANE_SAMPLE_CSV, "--unique-index"}).exitCode, 0);
    const std::string schema = runCommand("mdb-schema " + shellQuote(file.string()) + " postgres 2>/dev/null").output;
    EXPECT_NE(schema.find("CREATE UNIQUE INDEX \"default_primarykey_idx\" ON \"default\" (\"tag\")"), std::string::npos) << schema;
}

TEST(RoundTripSchema, ShowsThePrimaryKeyOnTagInTheSampleDatabase)
{
    const std::string schema = runCommand("mdb-schema " + shellQuote(CORVANE_SAMPLE_DATABASE) + " postgres 2>/dev/null").output;
    EXPECT_NE(schema.find("ALTER TABLE \"default\" ADD CONSTRAINT \"default_pkey\" PRIMARY KEY (\"tag\")"), std::string::npos)
        << schema;
}

TEST(RoundTripLongValues, MemosOfEveryLengthComeBackWholeFromEveryReader)
{
    // In the row, in one row of a page of their own, and chained over pages:
    // beyond 16 KiB, beyond a page of two-byte characters, and one that
    // begins with a byte order mark.
    TempFolder folder;
    const auto csv = folder / "memos.csv", file = folder / "memos.mdb";
    std::string letters;
    for (int i = 0; i < 40000; ++i) letters.push_back(static_cast<char>('a' + i % 26));
    std::string omegas;
    for (int i = 0; i < 9000; ++i) omegas += "Ω";
    writeFile(csv, "Tag,Note:memo\nA," + std::string(300, 'x') + "\nB," + std::string(4000, 'y') + "\nC," + letters + "\nD," + omegas +
                       "\nE,\xEF\xBB\xBF" + std::string(5000, 'z') + "\n");
    ASSERT_EQ(runTagDbTool({"create", file.string(), "--from", csv.string()}).exitCode, 0);
    std::ifstream in(csv, std::ios::binary);
    const jet::TableSpec written = tagdb::tableFromCsv(u"Default", tagdb::readCsv(in));
    for (Reader reader : {Reader::MdbExport, Reader::MdbReader, Reader::OwnDump}) {
        const auto differences = compareTable(written, readTable(reader, file, "Default"), reader);
        EXPECT_TRUE(differences.empty()) << ::testing::PrintToString(differences);
    }
}

TEST(RoundTripSchema, ADatabaseWithoutTablesListsNone)
{
    TempFolder folder;
    const auto file = folder / "none.mdb";
    ASSERT_EQ(runTagDbTool({"create", file.string(), "--no-table"}).exitCode, 0);
    for (Reader reader : {Reader::MdbExport, Reader::MdbReader, Reader::OwnDump})
        EXPECT_TRUE(listTables(reader, file).empty()) << readerName(reader);
}

}  // namespace
}  // namespace corvane::test

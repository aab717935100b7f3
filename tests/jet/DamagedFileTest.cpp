// Files that are empty, cut short, not a Jet database, or damaged give an
// error and never a crash. This executable is always built with
// AddressSanitizer and UndefinedBehaviorSanitizer.
#include "EngineSamples.h"
#include "JetDataLayer.h"
#include "JetFileCheck.h"
#include "JetText.h"
#include "JetWriter.h"
#include "MdbDataLayer.h"
#include "TestFiles.h"
#include "automation/AutomationError.h"
#include "server/DataLayerErrors.h"

#include <gtest/gtest.h>

#include <random>

namespace corvane::test {
namespace {

std::string sampleBytes(int rows)
{
    jet::TableSpec table;
    table.name = u"Default";
    table.columns = {{u"Tag", jet::ColumnType::Text, 40}, {u"Value", jet::ColumnType::Double}, {u"Confidence", jet::ColumnType::Long}};
    for (int i = 0; i < rows; ++i)
        table.rows.push_back({jet::Cell(u"TIC" + jet::fromUtf8(std::to_string(i)) + u".PV"), jet::Cell(i * 0.5), jet::Cell(std::int64_t{i % 101})});
    table.index = jet::IndexSpec{u"PrimaryKey", u"Tag", true};
    jet::DatabaseSpec database;
    database.tables.push_back(std::move(table));
    const std::vector<std::uint8_t> bytes = jet::buildDatabase(database);
    return {bytes.begin(), bytes.end()};
}

enum class Outcome { Read, Refused };

// Both readers: the one over libmdb and our own.
template <class Use>
void forEachReader(Use use)
{
    jet::MdbDataLayer libmdb;
    jet::JetDataLayer own;
    use(static_cast<TagDataLayer&>(libmdb));
    use(static_cast<TagDataLayer&>(own));
}

Outcome readWholeWith(TagDataLayer& dataLayer, const std::filesystem::path& file)
{
    try {
        auto connection = dataLayer.createConnection();
        connection->open(jet::fromUtf8(file.string()));
        connection->tableNames();
        auto recordset = connection->createRecordset();
        recordset->open(u"Default", u"PrimaryKey");
        for (; !recordset->eof(); recordset->moveNext())
            for (const auto& name : recordset->fieldNames()) recordset->field(name);
        recordset->close();
        connection->close();
        return Outcome::Read;
    } catch (const automation::AutomationError&) {
        return Outcome::Refused;
    }
}

// Opens `bytes` as a database file and reads table Default whole, as the
// tag store would, with each reader: Read when both read it. Any error must
// be the data layer's.
Outcome readWhole(const std::string& bytes)
{
    TempFolder folder;
    const auto file = folder / "Corvane.mdb";
    writeFile(file, bytes);
    Outcome outcome = Outcome::Read;
    forEachReader([&](TagDataLayer& dataLayer) {
        if (readWholeWith(dataLayer, file) == Outcome::Refused) outcome = Outcome::Refused;
    });
    return outcome;
}

// The file must be refused by each reader, when the connection opens or at
// the latest when the table does, with the error that names it.
void expectRefusedNamingTheFile(const std::string& bytes)
{
    TempFolder folder;
    const auto file = folder / "Corvane.mdb";
    writeFile(file, bytes);
    forEachReader([&](TagDataLayer& dataLayer) {
        auto connection = dataLayer.createConnection();
        try {
            connection->open(jet::fromUtf8(file.string()));
            connection->createRecordset()->open(u"Default", u"PrimaryKey");
            ADD_FAILURE() << "a damaged file of " << bytes.size() << " bytes was read";
        } catch (const automation::AutomationError& error) {
            EXPECT_EQ(error.hresult(), data_layer::kFileError) << bytes.size() << " bytes";
            EXPECT_EQ(jet::toUtf8(error.description()), "Unrecognized database format '" + file.string() + "'.");
        }
    });
}

TEST(DamagedFile, EmptyFileIsRefused) { expectRefusedNamingTheFile(""); }

TEST(DamagedFile, TextFileIsRefused) { expectRefusedNamingTheFile("Tag,Value,Confidence\nFIC101,1,100\n"); }

TEST(DamagedFile, PagesOfZerosAreRefused) { expectRefusedNamingTheFile(std::string(5 * 4096, '\0')); }

TEST(DamagedFile, PagesOfNoiseAreRefused)
{
    std::mt19937 random(7);
    std::string noise(8 * 4096, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    expectRefusedNamingTheFile(noise);
}

TEST(DamagedFile, OlderFormatWithSmallerPagesIsRefused)
{
    std::string bytes = sampleBytes(3);
    bytes[0x14] = 0;  // the version byte of the format with 2 KiB pages
    expectRefusedNamingTheFile(bytes);
}

TEST(DamagedFile, FileCutAnywhereIsRefused)
{
    const std::string whole = sampleBytes(40);
    for (std::size_t length : {std::size_t{1}, std::size_t{100}, std::size_t{4095}, whole.size() - 1, whole.size() - 4095})
        expectRefusedNamingTheFile(whole.substr(0, length));
    for (std::size_t length = 0; length < whole.size(); length += 4096) expectRefusedNamingTheFile(whole.substr(0, length));
}

TEST(DamagedFile, LargeTableCutAtEveryFewPagesIsRefused)
{
    const std::string whole = sampleBytes(60000);  // beyond what a simple usage map covers
    for (std::size_t length = 5 * 4096; length < whole.size(); length += 37 * 4096) expectRefusedNamingTheFile(whole.substr(0, length));
}

TEST(DamagedFile, AnyByteOfTheStructurePagesSetToFFGivesAnErrorOrTheRowsNeverACrash)
{
    // Pages 0-5 hold the header, the usage maps, the catalog and the table
    // definition: everything libmdb follows before it reaches the rows.
    const std::string whole = sampleBytes(40);
    int refused = 0;
    for (std::size_t at = 0; at < 6 * 4096; at += 11) {
        std::string damaged = whole;
        damaged[at] = '\xFF';
        if (readWhole(damaged) == Outcome::Refused) ++refused;
    }
    EXPECT_GT(refused, 0);
}

TEST(DamagedFile, TableDefinitionNamedAtPageZeroIsRefused)
{
    // A damaged catalog row can give a table the header page as its definition.
    TempFolder folder;
    const auto file = folder / "Corvane.mdb";
    writeFile(file, sampleBytes(3));
    EXPECT_TRUE(jet::JetFileCheck(file).checkTable(0).has_value());
}

TEST(DamagedFile, PropertiesThatWouldKeepLibmdbParsingForEverAreRefusedBeforeItSeesThem)
{
    const std::filesystem::path folder = std::filesystem::path(CORVANE_FUZZ_DIR) / "regressions" / "jet_file_reader";
    for (const auto& patch : std::filesystem::directory_iterator(folder)) {
        SCOPED_TRACE(patch.path().filename().string());
        TempFolder scratch;
        writeFile(scratch / "Corvane.mdb", patchedSample(patch.path()));
        EXPECT_TRUE(jet::JetFileCheck(scratch / "Corvane.mdb").checkDatabase().has_value());
    }
}

TEST(DamagedFile, EngineWrittenFilesPassTheChecks)
{
    for (const auto& sample : sampleFiles()) EXPECT_EQ(jet::JetFileCheck(sample).checkDatabase(), std::nullopt) << sample;
}

TEST(DamagedFile, UndamagedFileIsReadWhole) { EXPECT_EQ(readWhole(sampleBytes(40)), Outcome::Read); }

}  // namespace
}  // namespace corvane::test

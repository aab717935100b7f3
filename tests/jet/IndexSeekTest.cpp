// Our index pages searched by key, as a reader that seeks does it: from the
// root down through the node pages to a leaf entry, then to the row it
// names. The keys come from our key builder, which the engine's own entries
// vouch for, and from the engine's own entries themselves.
#include "CsvTable.h"
#include "EngineSamples.h"
#include "ExternalReaders.h"
#include "IndexBuilder.h"
#include "JetWriter.h"
#include "JetText.h"
#include "RowCracker.h"
#include "TestFiles.h"
#include "UsageMapReader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>

namespace corvane::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Finds `key` in the index of table `table` whose root is `root`, and gives
// the text of the indexed column in the row it names; nothing when a leaf
// lacks the key.
class IndexSeeker {
public:
    IndexSeeker(const std::filesystem::path& path, std::uint32_t definitionPage)
        : file_(path), definition_(jet::readTableDefinition(file_, definitionPage))
    {
    }

    std::optional<std::u16string> seek(const Bytes& key, std::size_t* pagesVisited = nullptr)
    {
        const jet::StoredRealIndex& index = definition_.realIndexes.at(0);
        std::uint32_t page = index.firstPage;
        for (std::size_t depth = 0; depth < 8; ++depth) {
            const auto bytes = file_.page(page);
            if (pagesVisited) ++*pagesVisited;
            const std::vector<IndexPageEntry> entries = indexPageEntries(bytes);
            if (bytes[0] == jet::page_type::kIndexLeaf) {
                for (const IndexPageEntry& entry : entries)
                    if (entry.key == key) return textAt(index.columns.at(0).number, entry);
                return std::nullopt;
            }
            // A node entry holds the last key of the page below it.
            auto below = std::find_if(entries.begin(), entries.end(), [&](const IndexPageEntry& e) { return key <= e.key; });
            if (below == entries.end()) return std::nullopt;
            page = below->child;
        }
        return std::nullopt;
    }

private:
    std::u16string textAt(std::uint16_t column, const IndexPageEntry& entry)
    {
        const auto fields = jet::crackRow(definition_, rowAt(file_, entry.page, entry.row));
        const std::size_t at = static_cast<std::size_t>(definition_.column(column) - definition_.columns.data());
        return jet::decodeText(fields[at].bytes.data(), fields[at].bytes.size());
    }

    jet::PageFile file_;
    jet::StoredTableDefinition definition_;
};

constexpr std::uint32_t kFirstTableDefinition = 5;  // the writer's page plan

Bytes textKey(const std::u16string& text)
{
    const jet::ColumnLayout column{{u"Tag", jet::ColumnType::Text}, 0, false, 0, 0, 510};
    return jet::indexKey(column, text);
}

std::vector<std::u16string> tagsOf(const std::filesystem::path& csv)
{
    std::ifstream in(csv, std::ios::binary);
    const jet::TableSpec table = tagdb::tableFromCsv(u"Default", tagdb::readCsv(in));
    std::vector<std::u16string> tags;
    for (const jet::Row& row : table.rows) tags.push_back(std::get<std::u16string>(*row[0]));
    return tags;
}

TEST(IndexSeek, FindsEveryTagOfAFileTheToolWroteByItsKey)
{
    TempFolder folder;
    const auto file = folder / "tags.mdb";
    const std::filesystem::path csv = std::filesystem::path(CORVANE_CASES_DIR) / "tag-names.csv";
    ASSERT_EQ(runTagDbTool({"create", file.string(), "--from", csv.string()}).exitCode, 0);
    IndexSeeker seeker(file, kFirstTableDefinition);
    for (const std::u16string& tag : tagsOf(csv)) EXPECT_EQ(seeker.seek(textKey(tag)), tag) << jet::toUtf8(tag);
    EXPECT_EQ(seeker.seek(textKey(u"TIC102.PV")), std::nullopt);
}

TEST(IndexSeek, FindsEveryTagOfTheBundledDatabaseByItsKey)
{
    IndexSeeker seeker(CORVANE_SAMPLE_DATABASE, kFirstTableDefinition);
    const std::vector<std::u16string> tags = tagsOf(CORVANE_SAMPLE_CSV);
    ASSERT_FALSE(tags.empty());
    for (const std::u16string& tag : tags) EXPECT_EQ(seeker.seek(textKey(tag)), tag) << jet::toUtf8(tag);
    EXPECT_EQ(seeker.seek(textKey(u"tic101.pv")), u"TIC101.PV");  // keys fold letter case, as the tag table does
}

TEST(IndexSeek, FindsEveryTagThroughSeveralLevelsOfNodePages)
{
    TempFolder folder;
    const auto csv = folder / "many.csv", file = folder / "many.mdb";
    std::vector<std::u16string> tags;
    {
        std::ofstream out(csv);
        out << "Tag:text(60),Value,Confidence\n";
        const char* kinds[] = {"FIC-", "TIC.", "Pumpe Süd ", "Δp ", "温度 ", "O'Neil/"};
        for (int i = 0; i < 60000; ++i) {
            const std::string tag = std::string(kinds[i % 6]) + std::to_string(i * 7919 % 1000003) + (i % 2 ? ".PV" : "_SP");
            out << tag << "," << i << ",100\n";
            tags.push_back(jet::fromUtf8(tag));
        }
    }
    ASSERT_EQ(runTagDbTool({"create", file.string(), "--from", csv.string()}).exitCode, 0);
    IndexSeeker seeker(file, kFirstTableDefinition);
    std::size_t pages = 0;
    for (std::size_t i = 0; i < tags.size(); i += 97) EXPECT_EQ(seeker.seek(textKey(tags[i]), &pages), tags[i]) << i;
    EXPECT_GE(pages, 3 * (tags.size() / 97));  // a root and more than one level below it
}

// The texts the engine keyed in its own files, with the key bytes it wrote.
std::map<std::u16string, Bytes> engineTextKeys()
{
    std::map<std::u16string, Bytes> keys;
    for (const auto& sample : sampleFiles()) {
        jet::PageFile file(sample);
        for (const SampleTable& table : sampleTables(file)) {
            const jet::StoredTableDefinition definition = jet::readTableDefinition(file, table.definitionPage);
            for (const jet::StoredRealIndex& index : definition.realIndexes) {
                const jet::StoredColumn* column = definition.column(index.columns.at(0).number);
                if (index.columns.size() != 1 || !index.columns[0].ascending || column->type != 10) continue;
                const std::size_t at = static_cast<std::size_t>(column - definition.columns.data());
                for (std::uint32_t number : jet::usageMapPages(file, index.usedPagesMap)) {
                    if (file.page(number)[0] != jet::page_type::kIndexLeaf) continue;
                    for (const IndexPageEntry& entry : indexPageEntries(file.page(number))) {
                        const auto fields = jet::crackRow(definition, rowAt(file, entry.page, entry.row));
                        if (!fields[at].present) continue;
                        keys.emplace(jet::decodeText(fields[at].bytes.data(), fields[at].bytes.size()), entry.key);
                    }
                }
            }
        }
    }
    return keys;
}

TEST(IndexSeek, FindsTheTextsTheEngineKeyedByTheEnginesOwnKeys)
{
    // A wrong code in our keys for any character of these texts would leave
    // the engine's key for it unfound.
    const std::map<std::u16string, Bytes> keys = engineTextKeys();
    ASSERT_GT(keys.size(), 20u);
    TempFolder folder;
    const auto csv = folder / "engine.csv", file = folder / "engine.mdb";
    jet::TableSpec table{u"Default", {{u"Tag", jet::ColumnType::Text, 255}, {u"Value", jet::ColumnType::Double}}, {}, jet::IndexSpec{u"PrimaryKey", u"Tag", true}};
    std::set<Bytes> seen;
    for (const auto& [text, key] : keys)
        if (seen.insert(key).second) table.rows.push_back({jet::Cell(text), jet::Cell(1.0)});
    jet::DatabaseSpec database;
    database.tables.push_back(table);
    jet::writeDatabaseFile(database, file);

    IndexSeeker seeker(file, kFirstTableDefinition);
    for (const auto& [text, key] : keys) {
        const std::optional<std::u16string> found = seeker.seek(key);
        ASSERT_TRUE(found.has_value()) << jet::toUtf8(text);
        EXPECT_EQ(textKey(*found), key) << jet::toUtf8(text);
    }
}

}  // namespace
}  // namespace corvane::test

// Text index keys in the General sort order, checked against the engine
// itself: every index entry in the files it wrote is what our key builder
// makes of the row the entry names.
#include "EngineSamples.h"
#include "IndexBuilder.h"
#include "JetText.h"
#include "RowCracker.h"
#include "SortCodeTables.h"
#include "TestFiles.h"
#include "TextIndexKey.h"
#include "UsageMapReader.h"

#include <gtest/gtest.h>

#include <cstring>

namespace corvane::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::string hex(const Bytes& bytes)
{
    std::string out;
    char two[4];
    for (std::size_t i = 0; i < bytes.size() && i < 48; ++i) {
        std::snprintf(two, sizeof two, "%02X ", bytes[i]);
        out += two;
    }
    return bytes.size() > 48 ? out + "... " : out;
}

// One column's part of an entry, ascending or descending, as our writer
// would key it; nothing for a type the writer does not key.
std::optional<Bytes> keyPart(const jet::StoredColumn& stored, const jet::CrackedField& field, bool ascending)
{
    if (!field.present) return Bytes{static_cast<std::uint8_t>(ascending ? 0x00 : 0xFF)};
    const auto type = static_cast<jet::ColumnType>(stored.type);
    const jet::ColumnLayout column{{stored.name, type}, stored.number, stored.fixed(), 0, 0, stored.size};
    Bytes key;
    switch (type) {
    case jet::ColumnType::Text: key = jet::indexKey(column, jet::decodeText(field.bytes.data(), field.bytes.size())); break;
    case jet::ColumnType::Byte: key = jet::indexKey(column, std::int64_t{field.bytes[0]}); break;
    case jet::ColumnType::Integer: key = jet::indexKey(column, std::int64_t{static_cast<std::int16_t>(jet::u16At(field.bytes, 0))}); break;
    case jet::ColumnType::Long: key = jet::indexKey(column, std::int64_t{static_cast<std::int32_t>(jet::u32At(field.bytes, 0))}); break;
    case jet::ColumnType::Double:
    case jet::ColumnType::DateTime: {
        double value = 0;
        std::memcpy(&value, field.bytes.data(), sizeof value);
        key = jet::indexKey(column, value);
        break;
    }
    default: return std::nullopt;
    }
    if (ascending) return key;
    // Descending: the flag and every byte after it inverted, text ending in one more zero.
    for (std::uint8_t& b : key) b = static_cast<std::uint8_t>(~b);
    if (type == jet::ColumnType::Text) key.push_back(0x00);
    return key;
}

struct Comparison {
    std::size_t entries = 0;
    std::size_t textEntries = 0;
    std::vector<std::string> mismatches;
};

void compareIndexes(const std::filesystem::path& sample, Comparison& result)
{
    jet::PageFile file(sample);
    for (const SampleTable& table : sampleTables(file)) {
        const jet::StoredTableDefinition definition = jet::readTableDefinition(file, table.definitionPage);
        for (const jet::StoredRealIndex& index : definition.realIndexes) {
            bool text = false;
            for (const auto& part : index.columns) text = text || definition.column(part.number)->type == 10;
            for (std::uint32_t number : jet::usageMapPages(file, index.usedPagesMap)) {
                const auto page = file.page(number);
                if (page[0] != jet::page_type::kIndexLeaf) continue;
                for (const IndexPageEntry& entry : indexPageEntries(page)) {
                    const auto fields = jet::crackRow(definition, rowAt(file, entry.page, entry.row));
                    Bytes ours;
                    bool keyed = true;
                    for (const auto& part : index.columns) {
                        const std::size_t at = static_cast<std::size_t>(definition.column(part.number) - definition.columns.data());
                        const std::optional<Bytes> piece = keyPart(definition.columns[at], fields[at], part.ascending);
                        keyed = keyed && piece.has_value();
                        if (piece) ours.insert(ours.end(), piece->begin(), piece->end());
                    }
                    if (!keyed) continue;
                    ++result.entries;
                    result.textEntries += text;
                    if (ours != entry.key && result.mismatches.size() < 10)
                        result.mismatches.push_back(sample.filename().string() + " " + jet::toUtf8(table.name) + ": engine " +
                                                    hex(entry.key) + "ours " + hex(ours));
                }
            }
        }
    }
}

TEST(SortOrderKeys, AreTheEnginesOwnForEveryIndexEntryOfTheFilesItWrote)
{
    Comparison result;
    for (const auto& sample : sampleFiles()) compareIndexes(sample, result);
    EXPECT_TRUE(result.mismatches.empty()) << ::testing::PrintToString(result.mismatches);
    // Hundreds of text keys in those files: punctuation, accents, Greek, Cyrillic, CJK, control characters.
    EXPECT_GT(result.textEntries, 400u);
    EXPECT_GT(result.entries, 2000u);
}

TEST(SortOrderKeys, ComeFromTablesIdenticalToThoseBesideTheEnginesFiles)
{
    EXPECT_EQ(jet::basicSortCodeLines(), readFile(samplesFolder() / "index_codes_genleg.txt"));
    EXPECT_EQ(jet::extendedSortCodeLines(), readFile(samplesFolder() / "index_codes_ext_genleg.txt"));
}

TEST(SortOrderKeys, KeepPunctuationAndFoldLetterCase)
{
    const auto key = [](std::u16string_view text) {
        Bytes out;
        jet::appendTextIndexKey(out, text);
        return out;
    };
    EXPECT_EQ(key(u"TIC101.PV"), (Bytes{0x6D, 0x59, 0x4D, 0x38, 0x36, 0x38, 0x1C, 0x66, 0x71, 0x01, 0x00}));
    EXPECT_EQ(key(u"tic101.pv"), key(u"TIC101.PV"));
    // A hyphen is keyed apart from the text, so "A-B" and "AB" differ only after it.
    EXPECT_EQ(key(u"a-b"), (Bytes{0x4A, 0x4C, 0x01, 0x01, 0x01, 0x01, 0x80, 0x0B, 0x06, 0x82, 0x00}));
    EXPECT_NE(key(u"Grüße"), key(u"Grusse"));
    EXPECT_EQ(key(u"Straße"), key(u"Strasse"));  // the sort order itself does not tell them apart
    EXPECT_EQ(key(std::u16string(300, u'a')), key(std::u16string(255, u'a')));  // only 255 characters count
}

TEST(SortOrderKeys, RefuseACharacterWithoutAPlaceInTheOrder)
{
    Bytes key;
    try {
        jet::appendTextIndexKey(key, u"TT😀1");
        FAIL() << "keyed a character outside the Basic Multilingual Plane";
    } catch (const jet::NoSortCode& unknown) {
        EXPECT_EQ(unknown.character(), U'😀');
        EXPECT_STREQ(unknown.what(), "U+1F600 has no place in the General sort order");
    }
    EXPECT_THROW(jet::appendTextIndexKey(key, u"lone \xDC00 surrogate"), jet::NoSortCode);
}

}  // namespace
}  // namespace corvane::test

// The writer's pieces, read back from the bytes it produces: the masked
// header block, text encoding, index keys and pages, usage maps, page limits.
#include "HeaderPage.h"
#include "IndexBuilder.h"
#include "JetFormat.h"
#include "JetText.h"
#include "JetWriter.h"
#include "UsageMap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>

namespace corvane::jet {
namespace {

using Bytes8 = std::vector<std::uint8_t>;

std::uint16_t u16(const std::uint8_t* at) { return static_cast<std::uint16_t>(at[0] | at[1] << 8); }
std::uint32_t u32(const std::uint8_t* at) { return static_cast<std::uint32_t>(u16(at) | u16(at + 2) << 16); }

TableSpec tagTable(int rows, std::optional<IndexSpec> index = IndexSpec{u"PrimaryKey", u"Tag", true})
{
    TableSpec table{u"Default", {{u"Tag", ColumnType::Text, 40}, {u"Value", ColumnType::Double}, {u"Confidence", ColumnType::Long}}, {}, index};
    for (int i = 0; i < rows; ++i)
        table.rows.push_back({Cell(u"T" + fromUtf8(std::to_string(i * 37 % 100003))), Cell(i * 0.25), Cell(std::int64_t{i % 101})});
    return table;
}

Bytes8 build(std::vector<TableSpec> tables)
{
    DatabaseSpec database;
    database.tables = std::move(tables);
    return buildDatabase(database);
}

const std::uint8_t* page(const Bytes8& file, std::size_t number) { return file.data() + number * kPageSize; }

// The entries of an index page, split by its entry mask.
std::vector<Bytes8> indexEntries(const std::uint8_t* p)
{
    std::vector<Bytes8> entries;
    std::size_t start = 0;
    for (std::size_t bit = 1; bit <= kPageSize - kIndexEntriesOffset; ++bit) {
        if (!((p[kIndexMaskOffset + bit / 8] >> (bit % 8)) & 1)) continue;
        entries.emplace_back(p + kIndexEntriesOffset + start, p + kIndexEntriesOffset + bit);
        start = bit;
    }
    return entries;
}

TEST(HeaderPage, MasksItsBlockSoThatUnmaskingGivesCodePageDateAndPasswordMask)
{
    Page header = buildHeaderPage(45123.75);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(header.data()) + 4), "Standard Jet DB");
    EXPECT_EQ(header.data()[0x14], 1);
    EXPECT_NE(u16(header.data() + 0x3C), 1252);  // stored masked
    rc4Mask(header.data() + 0x18, 128);
    EXPECT_EQ(u16(header.data() + 0x3C), 1252);
    EXPECT_EQ(u32(header.data() + 0x3E), 0u);
    double date = 0;
    std::memcpy(&date, header.data() + 0x72, 8);
    EXPECT_EQ(date, 45123.75);
    for (std::size_t at = 0x42; at < 0x42 + 40; at += 4) EXPECT_EQ(u32(header.data() + at), 45123u);
}

TEST(JetText, CompressesTextOfNarrowCharactersWhenThatIsShorter)
{
    EXPECT_EQ(encodeText(u"FIC101"), (Bytes8{0xFF, 0xFE, 'F', 'I', 'C', '1', '0', '1'}));
    EXPECT_EQ(encodeText(u"ab"), (Bytes8{'a', 0, 'b', 0}));
    EXPECT_EQ(encodeText(u"Ωmega"), (Bytes8{0xA9, 0x03, 'm', 0, 'e', 0, 'g', 0, 'a', 0}));
    EXPECT_TRUE(encodeText(u"").empty());
}

TEST(JetText, DecodesBothFormsAndModeSwitchesInsideCompressedText)
{
    for (std::u16string text : {u"FIC101", u"Grüße", u"温度计101", u"", u"x"}) {
        const Bytes8 bytes = encodeText(text);
        EXPECT_EQ(decodeText(bytes.data(), bytes.size()), text);
    }
    const Bytes8 switching{0xFF, 0xFE, 'A', 0x00, 0xA9, 0x03, 0x00, 'B'};
    EXPECT_EQ(decodeText(switching.data(), switching.size()), u"AΩB");
}

TEST(JetText, ConvertsUtf8BothWaysAndReplacesMalformedBytes)
{
    EXPECT_EQ(fromUtf8("Grüße 温度 😀"), u"Grüße 温度 😀");
    EXPECT_EQ(toUtf8(u"Grüße 温度 😀"), "Grüße 温度 😀");
    EXPECT_EQ(fromUtf8("a\xFF" "b\xC3"), u"a\uFFFDb\uFFFD");
    EXPECT_EQ(fromUtf8("\xE0\x80\x80"), u"\uFFFD\uFFFD\uFFFD");  // overlong
}

TEST(IndexKey, CodesLettersAndDigitsAsTheGeneralSortOrderDoesIgnoringCase)
{
    const ColumnLayout text{{u"Tag", ColumnType::Text, 40}, 0, false, 0, 0, 80};
    EXPECT_EQ(indexKey(text, Value(u"AZ09")), (Bytes8{0x7F, 0x4A, 0x78, 0x36, 0x48, 0x01, 0x00}));
    EXPECT_EQ(indexKey(text, Value(u"tic101")), indexKey(text, Value(u"TIC101")));
    EXPECT_NE(indexKey(text, Value(u"TIC101.PV")), indexKey(text, Value(u"TIC101PV")));
    EXPECT_LT(indexKey(text, Value(u"A")), indexKey(text, Value(u"AB")));
    EXPECT_LT(indexKey(text, Value(u"AB")), indexKey(text, Value(u"B")));
    EXPECT_LT(indexKey(text, Value(u"9")), indexKey(text, Value(u"A")));
    EXPECT_LT(indexKey(text, Value(u"A.1")), indexKey(text, Value(u"A1")));  // punctuation before digits
    EXPECT_EQ(indexKey(text, Value(u"é")), indexKey(text, Value(u"É")));
}

TEST(IndexKey, OrdersNumbersAsTheirValues)
{
    const ColumnLayout whole{{u"Id", ColumnType::Long}, 0, true, 0, 0, 4};
    const ColumnLayout real{{u"V", ColumnType::Double}, 0, true, 0, 0, 8};
    EXPECT_EQ(indexKey(whole, Value(std::int64_t{1})), (Bytes8{0x7F, 0x80, 0x00, 0x00, 0x01}));
    EXPECT_LT(indexKey(whole, Value(std::int64_t{-1})), indexKey(whole, Value(std::int64_t{0})));
    EXPECT_LT(indexKey(whole, Value(std::int64_t{0})), indexKey(whole, Value(std::int64_t{70000})));
    const double ordered[] = {-1e300, -2.5, -1e-300, 0.0, 1e-300, 3.0, 1e300};
    for (std::size_t i = 1; i < std::size(ordered); ++i)
        EXPECT_LT(indexKey(real, Value(ordered[i - 1])), indexKey(real, Value(ordered[i]))) << ordered[i];
}

TEST(IndexPages, HoldEveryRowOnceInKeyOrderAlongTheLeafChain)
{
    const Bytes8 file = build({tagTable(3000)});
    // The table definition is page 5; the root is the last page, a node page
    // above several leaves.
    const std::size_t pages = file.size() / kPageSize;
    const std::uint8_t* root = page(file, pages - 1);
    ASSERT_EQ(root[0], 0x03);
    std::size_t leaf = 0;
    for (std::size_t p = 5; p < pages && !leaf; ++p)
        if (page(file, p)[0] == 0x04 && u32(page(file, p) + 12) == 0) leaf = p;
    ASSERT_NE(leaf, 0u);

    std::vector<Bytes8> keys;
    std::size_t leaves = 0;
    for (std::size_t p = leaf; p != 0; p = u32(page(file, p) + 16), ++leaves) {
        ASSERT_EQ(page(file, p)[0], 0x04);
        EXPECT_EQ(u32(page(file, p) + 4), 5u);  // owned by the table
        for (const Bytes8& entry : indexEntries(page(file, p))) keys.emplace_back(entry.begin(), entry.end() - 4);
    }
    EXPECT_GT(leaves, 1u);
    EXPECT_EQ(keys.size(), 3000u);
    EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end()));
    EXPECT_EQ(std::adjacent_find(keys.begin(), keys.end()), keys.end());
    EXPECT_EQ(indexEntries(root).size(), leaves);
}

TEST(IndexPages, ASmallTableHasOneLeafAsItsRoot)
{
    const Bytes8 file = build({tagTable(3)});
    const std::uint8_t* last = page(file, file.size() / kPageSize - 1);
    EXPECT_EQ(last[0], 0x04);
    EXPECT_EQ(indexEntries(last).size(), 3u);
}

TEST(UsageMap, UsesABitmapFromTheFirstPageWhenThePagesLieWithin512)
{
    const Bytes8 row = usageMapRow({600, 601, 1000}, [](Page) -> std::uint32_t { throw std::logic_error("no bitmap page"); });
    EXPECT_EQ(row.size(), kUsageMapRowSize);
    EXPECT_EQ(row[0], 0);
    EXPECT_EQ(u32(row.data() + 1), 600u);
    EXPECT_EQ(row[5], 0x03);
    EXPECT_EQ(row[5 + 400 / 8], 1 << (400 % 8));
}

TEST(UsageMap, PointsAtBitmapPagesWhenThePagesSpreadFurther)
{
    std::vector<Page> bitmaps;
    const Bytes8 row = usageMapRow({6, 40000}, [&](Page p) {
        bitmaps.push_back(std::move(p));
        return static_cast<std::uint32_t>(900 + bitmaps.size());
    });
    EXPECT_EQ(row[0], 1);
    ASSERT_EQ(bitmaps.size(), 2u);
    EXPECT_EQ(u32(row.data() + 1), 901u);  // slot 0: pages 0 to 32735
    EXPECT_EQ(u32(row.data() + 5), 902u);  // slot 1: from page 32736
    EXPECT_EQ(bitmaps[0].data()[0], 0x05);
    EXPECT_EQ(bitmaps[0].data()[4], 1 << 6);
    const std::size_t bit = 40000 - kBitmapPageBits;
    EXPECT_EQ(bitmaps[1].data()[4 + bit / 8], 1 << (bit % 8));
}

TEST(DataPages, HoldAtMost255RowsSoThatAnIndexEntryCanNameEach)
{
    TableSpec table{u"Default", {{u"B", ColumnType::Byte}}, {}, std::nullopt};
    for (int i = 0; i < 600; ++i) table.rows.push_back({Cell(std::int64_t{i % 256})});
    const Bytes8 file = build({table});
    std::size_t rows = 0;
    for (std::size_t p = 6; p < file.size() / kPageSize; ++p) {
        ASSERT_EQ(page(file, p)[0], 0x01);
        EXPECT_LE(u16(page(file, p) + 12), 255u);
        rows += u16(page(file, p) + 12);
    }
    EXPECT_EQ(rows, 600u);
}

TEST(Writer, WritesTheSameBytesForTheSameInput) { EXPECT_EQ(build({tagTable(500)}), build({tagTable(500)})); }

TEST(Writer, RefusesInputItCannotWrite)
{
    const auto refuses = [](std::vector<TableSpec> tables, const std::string& message) {
        try {
            build(std::move(tables));
            ADD_FAILURE() << "written: " << message;
        } catch (const WriteError& error) {
            EXPECT_NE(std::string(error.what()).find(message), std::string::npos) << error.what();
        }
    };
    refuses({tagTable(2), tagTable(2)}, "table name 'Default' is used twice");
    TableSpec catalog = tagTable(1);
    catalog.name = u"msysobjects";
    refuses({catalog}, "is used twice");
    refuses({tagTable(1, IndexSpec{u"PrimaryKey", u"Units", true})}, "the index column 'Units' is not one of its columns");
    refuses({TableSpec{u"Empty", {}, {}, std::nullopt}}, "has no columns");
    TableSpec wide{u"Wide", {}, {{}}, std::nullopt};
    for (int c = 0; c < 20; ++c) {
        wide.columns.push_back({u"C" + fromUtf8(std::to_string(c)), ColumnType::Text, 255});
        wide.rows[0].push_back(Cell(std::u16string(255, u'Ω')));
    }
    refuses({wide}, "the row is longer than a page");
    TableSpec shortRow = tagTable(1);
    shortRow.rows[0].pop_back();
    refuses({shortRow}, "2 values for 3 columns");
}

}  // namespace
}  // namespace corvane::jet

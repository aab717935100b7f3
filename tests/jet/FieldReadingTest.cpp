// Fields read from their stored bytes by our own code: Decimals exactly, the
// dump's text of every type, the values the data layer hands the server, and
// a tag table whose stored types are any of Jet's numbers.
#include "FieldText.h"
#include "FieldValue.h"
#include "IsolatedDataLayer.h"
#include "JetDecimal.h"
#include "JetText.h"
#include "JetWriter.h"
#include "TestFiles.h"
#include "automation/AutomationError.h"
#include "automation/RegionalSettings.h"
#include "automation/SafeArray.h"
#include "server/TagStore.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>

namespace corvane::test {
namespace {

using Bytes = std::vector<std::uint8_t>;
using jet::JetDecimal;

Bytes stored(bool negative, std::uint64_t low, std::uint32_t high = 0)
{
    Bytes bytes(17, 0);
    bytes[0] = negative ? 0x80 : 0x00;
    const std::uint32_t words[4] = {static_cast<std::uint32_t>(low), static_cast<std::uint32_t>(low >> 32), high, 0};
    for (int w = 0; w < 4; ++w)
        for (int b = 0; b < 4; ++b) bytes[1 + 4 * (3 - w) + b] = static_cast<std::uint8_t>(words[w] >> (8 * b));
    return bytes;
}

TEST(Decimal, ReadsSignMagnitudeAndTheColumnsScaleExactly)
{
    EXPECT_EQ(JetDecimal::fromStored(stored(false, 150), 2)->text(), "1.50");
    EXPECT_EQ(JetDecimal::fromStored(stored(true, 625), 4)->text(), "-0.0625");
    EXPECT_EQ(JetDecimal::fromStored(stored(true, 0), 2)->text(), "0.00");
    EXPECT_EQ(JetDecimal::fromStored(stored(false, 12), 0)->text(), "12");
    // 28 digits need the third word.
    const auto max = JetDecimal::fromText("9999999999999999999999999999", 28, 0);
    ASSERT_TRUE(max.has_value());
    EXPECT_EQ(JetDecimal::fromStored(max->stored(), 10)->text(), "999999999999999999.9999999999");
    EXPECT_FALSE(JetDecimal::fromStored(Bytes(16, 0), 0).has_value());
}

TEST(Decimal, GivesCurrencyOnlyWhenExactAndTheNearestDoubleOtherwise)
{
    EXPECT_EQ(JetDecimal::fromStored(stored(false, 123456), 2)->toCurrency(), 12345600);
    EXPECT_EQ(JetDecimal::fromStored(stored(true, 15), 6)->toCurrency(), std::nullopt);  // -0.000015
    EXPECT_EQ(JetDecimal::fromStored(stored(false, 10), 5)->toCurrency(), 1);           // 0.0001
    EXPECT_EQ(JetDecimal::fromText("-922337203685477.5808", 19, 4)->toCurrency(), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(JetDecimal::fromText("922337203685477.5808", 19, 4)->toCurrency(), std::nullopt);
    EXPECT_EQ(JetDecimal::fromStored(stored(true, 15), 6)->toDouble(), -0.000015);
    EXPECT_EQ(JetDecimal::fromText("0.1", 28, 27)->toDouble(), 0.1);
}

TEST(Decimal, TakesOnlyPlainDecimalTextThatFitsPrecisionAndScale)
{
    EXPECT_EQ(JetDecimal::fromText("-12.5", 18, 4)->text(), "-12.5000");
    EXPECT_EQ(JetDecimal::fromText(".5", 4, 2)->text(), "0.50");
    for (const char* text : {"", "-", "1.23456", "1e5", "12,5", " 1", "0x10", "12345"})
        EXPECT_FALSE(JetDecimal::fromText(text, 5, 4).has_value()) << text;
    EXPECT_TRUE(JetDecimal::fromText("0.0001", 1, 4).has_value());  // leading zeros are no digits
}

jet::StoredField field(jet::ColumnType type, const Bytes& bytes, std::uint8_t scale = 0)
{
    return {static_cast<std::uint8_t>(type), scale, true, bytes};
}

template <class T>
Bytes bytesOf(T value)
{
    Bytes out(sizeof value);
    std::memcpy(out.data(), &value, sizeof value);
    return out;
}

std::string text(const jet::StoredField& stored)
{
    jet::PageFile noFile("/nonexistent");
    std::string out;
    jet::appendFieldText(out, stored, noFile);
    return out;
}

TEST(DumpText, ShowsEveryTypeFaithfully)
{
    using enum jet::ColumnType;
    EXPECT_EQ(text(field(DateTime, bytesOf(40122.987129629626))), "2009-11-05 23:41:28");
    EXPECT_EQ(text(field(DateTime, bytesOf(-1.25))), "1899-12-29 06:00:00");  // the fraction counts forward before 1900
    EXPECT_EQ(text(field(DateTime, bytesOf(1e10))), "1e+10");  // no calendar date: the serial
    EXPECT_EQ(text(field(Currency, bytesOf(std::int64_t{-5000}))), "-0.5");
    EXPECT_EQ(text(field(Currency, bytesOf(std::numeric_limits<std::int64_t>::min()))), "-922337203685477.5808");
    EXPECT_EQ(text(field(Decimal, stored(false, 150), 2)), "1.50");
    EXPECT_EQ(text(field(Single, bytesOf(0.1f))), "0.1");
    EXPECT_EQ(text(field(Double, bytesOf(1.0 / 3))), "0.3333333333333333");
    EXPECT_EQ(text(field(Guid, {0x67, 0x45, 0x23, 0x01, 0xAB, 0x89, 0xEF, 0xCD, 1, 2, 3, 4, 5, 6, 7, 8})),
              "\"{01234567-89AB-CDEF-0102-030405060708}\"");
    EXPECT_EQ(text(field(Binary, {0x00, 0x1F, 0xFF})), "(3 bytes) 001FFF");
    EXPECT_EQ(text(field(Binary, {})), "(0 bytes)");
    EXPECT_EQ(text(field(Text, jet::encodeText(u"say \"hi\", ok"))), "\"say \"\"hi\"\", ok\"");
    EXPECT_EQ(text({static_cast<std::uint8_t>(Boolean), 0, false, {}}), "0");
    EXPECT_EQ(text({static_cast<std::uint8_t>(Long), 0, false, {}}), "");  // Null
}

TEST(FieldValues, AreTheNumbersAndTextsTheDataLayerHandsOut)
{
    using enum jet::ColumnType;
    jet::PageFile noFile("/nonexistent");
    const automation::Variant exact = jet::fieldValue(field(Decimal, stored(true, 25), 1), noFile);
    ASSERT_EQ(exact.type(), automation::VarType::Currency);
    EXPECT_EQ(exact.currency(), -25000);
    const automation::Variant near = jet::fieldValue(field(Decimal, stored(false, 123456789), 8), noFile);
    ASSERT_EQ(near.type(), automation::VarType::R8);
    EXPECT_EQ(near.r8(), 1.23456789);
    const automation::Variant bytes = jet::fieldValue(field(Binary, {1, 2, 3}), noFile);
    ASSERT_TRUE(bytes.isArray());
    EXPECT_EQ(bytes.array()->elements<std::uint8_t>(), (Bytes{1, 2, 3}));
    EXPECT_TRUE(jet::fieldValue(field(Long, {1, 2}), noFile).isNull());  // the wrong size for its type
}

// A Default table whose Value and Confidence are stored as `value` and
// `confidence` columns, read by the tag store through the server's reader.
class NumericTagTable : public ::testing::Test {
protected:
    std::optional<std::int32_t> load(jet::ColumnSpec value, jet::ColumnSpec confidence, std::vector<jet::Row> rows)
    {
        value.name = u"Value";
        confidence.name = u"Confidence";
        jet::TableSpec table{u"Default", {{u"Tag", jet::ColumnType::Text, 40}, value, confidence}, std::move(rows),
                             jet::IndexSpec{u"PrimaryKey", u"Tag", true}};
        jet::DatabaseSpec database;
        database.tables.push_back(std::move(table));
        jet::writeDatabaseFile(database, folder_ / "Corvane.mdb");
        try {
            store_.LoadTagTable();
        } catch (const automation::AutomationError& error) {
            return error.number();
        }
        return std::nullopt;
    }
    std::pair<float, std::int32_t> lookup(std::u16string_view tag) const
    {
        std::int32_t confidence = 0;
        const float value = store_.LookupTag(tag, confidence);
        return {value, confidence};
    }

    TempFolder folder_;
    jet::IsolatedDataLayer dataLayer_{jet::TagReader(CORVANE_TAGREAD)};
    TagStore store_{dataLayer_, folder_.path().u16string(), automation::FixedRegionalSettings::german()};
};

jet::Row row(std::u16string tag, jet::Value value, jet::Value confidence) { return {jet::Cell(tag), jet::Cell(value), jet::Cell(confidence)}; }

TEST_F(NumericTagTable, LoadsDecimalsAsNumbersRoundingHalvesToEven)
{
    jet::ColumnSpec decimal{u"", jet::ColumnType::Decimal, 0, 18, 4};
    EXPECT_EQ(load(decimal, decimal, {row(u"A", u"12.5", u"2.5"), row(u"B", u"-0.0001", u"3.5"), row(u"C", u"7", u"99999999999")}),
              automation::error::kOverflow);  // a Confidence beyond 32 bits, as for any number
    EXPECT_EQ(lookup(u"A"), std::make_pair(12.5f, 2));
    EXPECT_EQ(lookup(u"B"), std::make_pair(-0.0001f, 4));
    EXPECT_EQ(lookup(u"C").second, 0);  // not added
}

TEST_F(NumericTagTable, LoadsEveryOtherNumberTypeToo)
{
    EXPECT_EQ(load({u"", jet::ColumnType::Currency}, {u"", jet::ColumnType::Byte}, {row(u"A", u"1.25", std::int64_t{255})}), std::nullopt);
    EXPECT_EQ(lookup(u"A"), std::make_pair(1.25f, 255));
    EXPECT_EQ(load({u"", jet::ColumnType::Single}, {u"", jet::ColumnType::Integer}, {row(u"B", 0.5, std::int64_t{-7})}), std::nullopt);
    EXPECT_EQ(lookup(u"B"), std::make_pair(0.5f, -7));
}

}  // namespace
}  // namespace corvane::test

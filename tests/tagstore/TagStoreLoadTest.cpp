// Loads that complete, and the lookups over what they read.
#include "JetText.h"
#include "TagStoreFixture.h"

#include <filesystem>

namespace corvane::test {
namespace {

const std::string kHeader = "Tag,Value,Confidence\n";

TEST_F(TagStoreOnFiles, LoadsEveryRowOfTheSampleDatabase)
{
    std::filesystem::copy_file(CORVANE_SAMPLE_DATABASE, databaseFile());
    const std::uint64_t before = fileHash(databaseFile());
    store_.LoadTagTable();
    EXPECT_EQ(entries(), 50);
    std::int32_t confidence = 0;
    EXPECT_EQ(lookup(u"01LIC7", confidence), 55.3f);
    EXPECT_EQ(confidence, 100);
    EXPECT_EQ(lookup(u"10PT103", confidence), 4.215f);
    EXPECT_EQ(confidence, 95);
    EXPECT_EQ(fileHash(databaseFile()), before);
}

TEST_F(TagStoreOnFiles, FindsTIC101PVUnderLowerCase)
{
    writeDatabase(kHeader + "FIC101,24.8,100\nTIC101.PV,65.25,90\n");
    store_.LoadTagTable();
    std::int32_t confidence = 0;
    EXPECT_EQ(lookup(u"tic101.pv", confidence), 65.25f);
    EXPECT_EQ(confidence, 90);
}

TEST_F(TagStoreOnFiles, LooksUpADigitsOnlyNameAsAKeyNeverAsAPosition)
{
    writeDatabase(kHeader + "FIC101,24.8,100\n1,11,61\nTIC101,65.3,100\n");
    store_.LoadTagTable();
    std::int32_t confidence = 0;
    EXPECT_EQ(lookup(u"1", confidence), 11.0f);  // the row named 1, not the first row
    EXPECT_EQ(confidence, 61);
    EXPECT_EQ(lookup(u"2", confidence), -999.0f);  // there is a second row, but no tag named 2
    EXPECT_EQ(confidence, 0);
}

TEST_F(TagStoreOnFiles, AnswersAnUnknownOrEmptyNameWithTheMissingValueAndConfidenceZero)
{
    writeDatabase(kHeader + "FIC101,24.8,100\n");
    store_.LoadTagTable();
    std::int32_t confidence = 5;
    EXPECT_EQ(lookup(u"FIC999", confidence), -999.0f);
    EXPECT_EQ(confidence, 0);
    confidence = 5;
    EXPECT_EQ(lookup(u"", confidence), -999.0f);
    EXPECT_EQ(confidence, 0);
}

TEST_F(TagStoreOnFiles, AnswersEveryLookupWithTheMissingValueBeforeAnyLoad)
{
    std::int32_t confidence = 5;
    EXPECT_EQ(lookup(u"FIC101", confidence), -999.0f);
    EXPECT_EQ(confidence, 0);
}

TEST_F(TagStoreOnFiles, RoundsFractionalConfidencesHalfToEven)
{
    writeDatabase("Tag,Value,Confidence:double\nLT101,1,2.5\nLT102,2,3.5\nLT103,3,-2.5\nLT104,4,99.5\nLT105,5,0.49999\n");
    store_.LoadTagTable();
    const std::pair<const char16_t*, std::int32_t> expected[] = {{u"LT101", 2}, {u"LT102", 4}, {u"LT103", -2}, {u"LT104", 100}, {u"LT105", 0}};
    for (const auto& [name, rounded] : expected) {
        std::int32_t confidence = -1;
        lookup(name, confidence);
        EXPECT_EQ(confidence, rounded) << jet::toUtf8(name);
    }
}

TEST_F(TagStoreOnFiles, KeepsTheValueAsASingle)
{
    writeDatabase(kHeader + "FIC101,0.1,100\nFIC102,3.4e38,100\n");
    store_.LoadTagTable();
    std::int32_t confidence = 0;
    EXPECT_EQ(lookup(u"FIC101", confidence), 0.1f);
    EXPECT_EQ(lookup(u"FIC102", confidence), 3.4e38f);
}

TEST_F(TagStoreOnFiles, ReadsTextFieldsByTheRegionalNumberFormat)
{
    TagStore german(dataLayer_, jet::fromUtf8(folder_.path().string()), automation::FixedRegionalSettings::german());
    writeDatabase("Tag,Value:text,Confidence:text\nFIC101,\"2,5\",\"99,5\"\n");
    german.LoadTagTable();
    std::int32_t confidence = 0;
    EXPECT_EQ(german.LookupTag(u"FIC101", confidence), 2.5f);
    EXPECT_EQ(confidence, 100);
}

TEST_F(TagStoreOnFiles, IgnoresFieldsOtherThanTheThreeItReads)
{
    writeDatabase("Units,Tag,Spare:integer,Confidence,Value,Description\nBar,10PT101,7,100,12.5,Reactor inlet\n");
    store_.LoadTagTable();
    std::int32_t confidence = 0;
    EXPECT_EQ(lookup(u"10PT101", confidence), 12.5f);
    EXPECT_EQ(confidence, 100);
}

TEST_F(TagStoreOnFiles, ReadsATableOfManyPages)
{
    std::string csv = kHeader;
    for (int i = 0; i < 5000; ++i) csv += "PT" + std::to_string(i) + ".PV," + std::to_string(i) + ".5," + std::to_string(i % 101) + "\n";
    writeDatabase(csv);
    store_.LoadTagTable();
    EXPECT_EQ(entries(), 5000);
    std::int32_t confidence = 0;
    EXPECT_EQ(lookup(u"pt4999.pv", confidence), 4999.5f);
    EXPECT_EQ(confidence, 4999 % 101);
}

TEST_F(TagStoreOnFiles, LeavesNoDataAccessObjectBehindAfterALoad)
{
    writeDatabase(kHeader + "FIC101,24.8,100\n");
    store_.LoadTagTable();
    EXPECT_EQ(store_.connectionSlot(), nullptr);
    EXPECT_EQ(store_.recordsetSlot(), nullptr);
    EXPECT_NO_THROW(store_.CloseTagStore());
}

TEST_F(TagStoreOnFiles, RereadsTheFileOnASecondLoad)
{
    writeDatabase(kHeader + "FIC101,24.8,100\nTIC101,65.3,100\n");
    store_.LoadTagTable();
    const TagTable* first = store_.tagTable();
    writeDatabase(kHeader + "TIC101,70,80\nLIC101,48.6,100\n");  // FIC101 deleted, LIC101 new
    store_.LoadTagTable();
    EXPECT_NE(store_.tagTable(), first);
    EXPECT_EQ(entries(), 2);
    std::int32_t confidence = 0;
    EXPECT_EQ(lookup(u"FIC101", confidence), -999.0f);
    EXPECT_EQ(lookup(u"TIC101", confidence), 70.0f);
    EXPECT_EQ(confidence, 80);
    EXPECT_EQ(lookup(u"LIC101", confidence), 48.6f);
}

TEST(TagStorePath, IsTheExecutableFolderFollowedDirectlyByCorvaneMdb)
{
    jet::MdbDataLayer dataLayer;
    const auto& regional = automation::FixedRegionalSettings::english();
    EXPECT_EQ(TagStore(dataLayer, u"/opt/corvanesim/bin", regional).databasePath(), u"/opt/corvanesim/bin/Corvane.mdb");
    EXPECT_EQ(TagStore(dataLayer, u"/", regional).databasePath(), u"//Corvane.mdb");  // no separator handling
}

}  // namespace
}  // namespace corvane::test

// What each failure of a load raises, and what it leaves in the tag table and
// the two slots; after a failed load every later load does nothing.
#include "JetText.h"
#include "TagStoreFixture.h"
#include "server/DataLayerErrors.h"

namespace corvane::test {
namespace {

using automation::AutomationError;

constexpr std::int32_t number(int n) { return static_cast<std::int32_t>(0x800A0000u + static_cast<std::uint32_t>(n)); }

struct FailureCase {
    std::string name;
    std::string csv;
    std::vector<std::string> options;
    std::int32_t hresult;
    std::vector<std::u16string> tagsLeft;  // the entries the load added before it failed
};

std::ostream& operator<<(std::ostream& out, const FailureCase& c) { return out << c.name; }

const std::string kHeader = "Tag,Value,Confidence\n";

const std::vector<FailureCase>& failureCases()
{
    static const std::vector<FailureCase> cases = {
        {"MissingTable", kHeader + "FIC101,1,100\n", {"--table", "Other"}, data_layer::kNoSuchTable, {}},
        {"MissingIndex", kHeader + "FIC101,1,100\n", {"--no-index"}, data_layer::kNoSuchIndex, {}},
        {"IndexUnderAnotherName", kHeader + "FIC101,1,100\n", {"--index", "ByTag"}, data_layer::kNoSuchIndex, {}},
        {"MissingConfidenceField", "Tag,Value\nFIC101,1\n", {}, number(3265), {}},
        {"MissingTagField", "Id:long,Value,Confidence\n1,1,100\n", {"--index-on", "Id"}, number(3265), {}},
        {"NullValue", kHeader + "FIC101,1,100\nFIC102,,100\nFIC103,3,100\n", {}, number(94), {u"FIC101"}},
        {"NullConfidence", kHeader + "FIC101,1,100\nFIC102,2,\n", {}, number(94), {u"FIC101"}},
        {"NullTag", "Id:long,Tag,Value,Confidence\n1,FIC101,1,100\n2,,2,100\n", {"--index-on", "Id"}, number(94), {u"FIC101"}},
        {"TextInValue", "Tag,Value:text,Confidence\nFIC101,1.5,100\nFIC102,high,100\n", {}, number(13), {u"FIC101"}},
        {"TextInConfidence", "Tag,Value,Confidence:text\nFIC101,1,good\n", {}, number(13), {}},
        {"ValueBeyondSingle", kHeader + "FIC101,1,100\nFIC102,1e39,100\n", {}, number(6), {u"FIC101"}},
        {"ConfidenceBeyond32Bits", "Tag,Value,Confidence:double\nFIC101,1,100\nFIC102,1,2147483648\n", {}, number(6), {u"FIC101"}},
        {"NamesThatDifferOnlyInCase", "Id:long,Tag,Value,Confidence\n1,TIC101.PV,1,100\n2,FIC101,2,100\n3,tic101.pv,3,100\n4,LIC7,4,100\n",
         {"--index-on", "Id"}, number(457), {u"TIC101.PV", u"FIC101"}},
        {"EmptyTable", kHeader, {}, number(3021), {}},
    };
    return cases;
}

class LoadFailure : public TagStoreOnFiles, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(LoadFailure, RaisesTheErrorAndKeepsTheRowsBeforeIt)
{
    writeDatabase(GetParam().csv, GetParam().options);
    const AutomationError error = errorOf([&] { store_.LoadTagTable(); });
    EXPECT_EQ(error.hresult(), GetParam().hresult) << jet::toUtf8(error.description());

    ASSERT_NE(store_.tagTable(), nullptr);
    ASSERT_EQ(entries(), static_cast<std::int32_t>(GetParam().tagsLeft.size()));
    for (std::int32_t i = 1; i <= entries(); ++i) EXPECT_EQ(store_.tagTable()->itemAt(i)->name(), GetParam().tagsLeft[static_cast<std::size_t>(i - 1)]);
}

TEST_P(LoadFailure, LeavesBothSlotsHoldingTheirObjectsWithTheFileOpen)
{
    writeDatabase(GetParam().csv, GetParam().options);
    errorOf([&] { store_.LoadTagTable(); });
    ASSERT_NE(store_.connectionSlot(), nullptr);
    EXPECT_TRUE(store_.connectionSlot()->isOpen());
    EXPECT_NE(store_.recordsetSlot(), nullptr);
}

TEST_P(LoadFailure, MakesEveryLaterLoadDoNothing)
{
    writeDatabase(GetParam().csv, GetParam().options);
    errorOf([&] { store_.LoadTagTable(); });
    const TagTable* table = store_.tagTable();
    const std::int32_t before = entries();

    EXPECT_NO_THROW(store_.LoadTagTable());
    EXPECT_NO_THROW(store_.LoadTagTable());
    EXPECT_EQ(store_.tagTable(), table);
    EXPECT_EQ(entries(), before);
}

TEST_P(LoadFailure, LeavesCloseTagStoreToEmptyBothSlots)
{
    writeDatabase(GetParam().csv, GetParam().options);
    errorOf([&] { store_.LoadTagTable(); });
    store_.CloseTagStore();
    EXPECT_EQ(store_.connectionSlot(), nullptr);
    EXPECT_EQ(store_.recordsetSlot(), nullptr);
    EXPECT_NE(store_.tagTable(), nullptr);  // the table is not touched
}

INSTANTIATE_TEST_SUITE_P(TagStore, LoadFailure, ::testing::ValuesIn(failureCases()),
                         [](const auto& param) { return param.param.name; });

TEST_F(TagStoreOnFiles, MissingDatabaseFailsNamingTheFileAndLeavesNoTable)
{
    const AutomationError error = errorOf([&] { store_.LoadTagTable(); });
    EXPECT_EQ(error.hresult(), data_layer::kFileError);
    EXPECT_EQ(error.description(), u"Could not find file '" + store_.databasePath() + u"'.");
    EXPECT_EQ(store_.tagTable(), nullptr);
    ASSERT_NE(store_.connectionSlot(), nullptr);
    EXPECT_FALSE(store_.connectionSlot()->isOpen());
    EXPECT_EQ(store_.recordsetSlot(), nullptr);
}

TEST_F(TagStoreOnFiles, AfterAMissingDatabaseEveryLookupYieldsTheMissingValueEvenOnceTheFileExists)
{
    errorOf([&] { store_.LoadTagTable(); });
    writeDatabase(kHeader + "FIC101,1,100\n");
    store_.LoadTagTable();  // does nothing: the failed load's connection is still in its slot
    std::int32_t confidence = 7;
    EXPECT_EQ(lookup(u"FIC101", confidence), -999.0f);
    EXPECT_EQ(confidence, 0);
    EXPECT_EQ(store_.tagTable(), nullptr);
}

TEST_F(TagStoreOnFiles, FileThatIsNotADatabaseFailsNamingTheFile)
{
    writeFile(databaseFile(), "Tag,Value,Confidence\nFIC101,1,100\n");
    const std::uint64_t before = fileHash(databaseFile());
    const AutomationError error = errorOf([&] { store_.LoadTagTable(); });
    EXPECT_EQ(error.hresult(), data_layer::kFileError);
    EXPECT_EQ(error.description(), u"Unrecognized database format '" + store_.databasePath() + u"'.");
    EXPECT_EQ(store_.tagTable(), nullptr);
    EXPECT_EQ(fileHash(databaseFile()), before);
}

TEST_F(TagStoreOnFiles, CloseTagStoreAfterAMissingDatabaseSkipsTheConnectionThatNeverOpened)
{
    errorOf([&] { store_.LoadTagTable(); });
    EXPECT_NO_THROW(store_.CloseTagStore());
    EXPECT_EQ(store_.connectionSlot(), nullptr);
    // With the slots empty, a load tries the file again.
    writeDatabase(kHeader + "FIC101,1,100\n");
    store_.LoadTagTable();
    EXPECT_EQ(entries(), 1);
}

}  // namespace
}  // namespace corvane::test

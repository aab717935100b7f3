// The libmdb data layer's connection and record set: the errors a data layer
// gives for each misuse, field values typed as their columns, the snapshot.
#include "JetText.h"
#include "JetWriter.h"
#include "MdbDataLayer.h"
#include "TestFiles.h"
#include "automation/AutomationError.h"
#include "server/DataLayerErrors.h"

#include <gtest/gtest.h>

namespace corvane::test {
namespace {

using automation::AutomationError;
using automation::VarType;

std::int32_t errorCode(const std::function<void()>& action)
{
    try {
        action();
    } catch (const AutomationError& error) {
        return error.hresult();
    }
    return 0;
}

constexpr std::int32_t number(int n) { return static_cast<std::int32_t>(0x800A0000u + static_cast<std::uint32_t>(n)); }

class MdbDataLayerTest : public ::testing::Test {
protected:
    MdbDataLayerTest()
    {
        jet::TableSpec table{u"Default",
                             {{u"Tag", jet::ColumnType::Text, 20},
                              {u"Value", jet::ColumnType::Double},
                              {u"Confidence", jet::ColumnType::Long},
                              {u"Scale", jet::ColumnType::Single},
                              {u"Spare", jet::ColumnType::Integer},
                              {u"Flags", jet::ColumnType::Byte}},
                             {{jet::Cell(u"FIC101"), jet::Cell(24.8), jet::Cell(std::int64_t{100}), jet::Cell(0.5), jet::Cell(std::int64_t{-7}),
                               jet::Cell(std::int64_t{255})},
                              {jet::Cell(u"Ωмега"), jet::Cell(), jet::Cell(), jet::Cell(), jet::Cell(), jet::Cell()}},
                             jet::IndexSpec{u"PrimaryKey", u"Tag", true}};
        jet::DatabaseSpec database;
        database.tables.push_back(std::move(table));
        jet::writeDatabaseFile(database, file());
        connection_->open(path());
    }

    std::filesystem::path file() const { return folder_ / "Corvane.mdb"; }
    std::u16string path() const { return jet::fromUtf8(file().string()); }

    TempFolder folder_;
    jet::MdbDataLayer dataLayer_;
    std::unique_ptr<TagConnection> connection_ = dataLayer_.createConnection();
};

TEST_F(MdbDataLayerTest, GivesEachFieldTypedAsItsColumnAndNullForAnEmptyOne)
{
    auto recordset = connection_->createRecordset();
    recordset->open(u"default", u"primarykey");  // names ignore case
    recordset->moveFirst();
    EXPECT_EQ(recordset->field(u"tag").string(), u"FIC101");
    EXPECT_EQ(recordset->field(u"Value").r8(), 24.8);
    EXPECT_EQ(recordset->field(u"Confidence").i4(), 100);
    EXPECT_EQ(recordset->field(u"Scale").r4(), 0.5f);
    EXPECT_EQ(recordset->field(u"Spare").i2(), -7);
    EXPECT_EQ(recordset->field(u"Flags").ui1(), 255);
    recordset->moveNext();
    EXPECT_EQ(recordset->field(u"Tag").string(), u"Ωмега");
    for (const auto& name : {u"Value", u"Confidence", u"Scale", u"Spare", u"Flags"}) EXPECT_EQ(recordset->field(name).type(), VarType::Null);
    recordset->moveNext();
    EXPECT_TRUE(recordset->eof());
}

TEST_F(MdbDataLayerTest, NamesTheFieldsInColumnOrderAndTheUserTables)
{
    auto recordset = connection_->createRecordset();
    recordset->open(u"Default", u"");
    EXPECT_EQ(recordset->fieldNames(), (std::vector<std::u16string>{u"Tag", u"Value", u"Confidence", u"Scale", u"Spare", u"Flags"}));
    EXPECT_EQ(connection_->tableNames(), std::vector<std::u16string>{u"Default"});
}

TEST_F(MdbDataLayerTest, RefusesAnUnknownFieldBeforeLookingForACurrentRow)
{
    auto recordset = connection_->createRecordset();
    recordset->open(u"Default", u"PrimaryKey");
    recordset->moveNext();
    recordset->moveNext();
    EXPECT_EQ(errorCode([&] { recordset->field(u"Units"); }), number(data_layer::kItemNotFound));
    EXPECT_EQ(errorCode([&] { recordset->field(u"Tag"); }), number(data_layer::kNoCurrentRecord));
    EXPECT_EQ(errorCode([&] { recordset->moveNext(); }), number(data_layer::kNoCurrentRecord));
}

TEST_F(MdbDataLayerTest, RefusesOperationsOnClosedAndOpenObjects)
{
    auto recordset = connection_->createRecordset();
    EXPECT_EQ(errorCode([&] { recordset->moveFirst(); }), number(data_layer::kObjectClosed));
    EXPECT_EQ(errorCode([&] { recordset->close(); }), number(data_layer::kObjectClosed));
    recordset->open(u"Default", u"PrimaryKey");
    EXPECT_EQ(errorCode([&] { recordset->open(u"Default", u"PrimaryKey"); }), number(data_layer::kObjectOpen));
    EXPECT_EQ(errorCode([&] { connection_->open(path()); }), number(data_layer::kObjectOpen));
    connection_->close();
    EXPECT_EQ(errorCode([&] { connection_->close(); }), number(data_layer::kObjectClosed));
    EXPECT_EQ(errorCode([&] { connection_->tableNames(); }), number(data_layer::kObjectClosed));
    EXPECT_EQ(errorCode([&] { connection_->createRecordset()->open(u"Default", u""); }), number(data_layer::kConnectionUnusable));
    EXPECT_EQ(recordset->field(u"Tag").string(), u"FIC101");  // the snapshot outlives the connection
}

TEST_F(MdbDataLayerTest, KeepsItsSnapshotWhenTheFileChangesUnderIt)
{
    auto recordset = connection_->createRecordset();
    recordset->open(u"Default", u"PrimaryKey");
    std::filesystem::remove(file());
    EXPECT_EQ(recordset->field(u"Tag").string(), u"FIC101");
}

TEST_F(MdbDataLayerTest, CanReopenAClosedConnection)
{
    connection_->close();
    connection_->open(path());
    EXPECT_TRUE(connection_->isOpen());
}

}  // namespace
}  // namespace corvane::test

// CloseTagStore over objects that misbehave, where a stand-in data layer
// shows the choice more plainly than a file can: what never opened is not
// closed, and a close that fails is ignored.
#include "automation/AutomationError.h"
#include "automation/RegionalSettings.h"
#include "server/DataLayerErrors.h"
#include "server/TagStore.h"

#include <gtest/gtest.h>

namespace corvane::test {
namespace {

struct Calls {
    int recordsetCloses = 0;
    int connectionCloses = 0;
};

class RefusingRecordset final : public TagRecordset {
public:
    explicit RefusingRecordset(Calls& calls) : calls_(calls) {}
    void open(std::u16string_view, std::u16string_view) override { open_ = true; }
    bool isOpen() const override { return open_; }
    void moveFirst() override { throw std::runtime_error("the stand-in fails here"); }
    bool eof() const override { return true; }
    std::vector<std::u16string> fieldNames() const override { return {}; }
    const automation::Variant& field(std::u16string_view) const override { throw data_layer::itemNotFound(); }
    void moveNext() override {}
    void close() override
    {
        ++calls_.recordsetCloses;
        throw data_layer::objectClosed();
    }

private:
    Calls& calls_;
    bool open_ = false;
};

class RefusingConnection final : public TagConnection {
public:
    RefusingConnection(Calls& calls, bool opens) : calls_(calls), opens_(opens) {}
    void open(const std::u16string& path) override
    {
        if (!opens_) throw data_layer::fileNotFound(path);
        open_ = true;
    }
    bool isOpen() const override { return open_; }
    std::vector<std::u16string> tableNames() const override { return {}; }
    std::unique_ptr<TagRecordset> createRecordset() override { return std::make_unique<RefusingRecordset>(calls_); }
    void close() override
    {
        ++calls_.connectionCloses;
        throw data_layer::objectClosed();
    }

private:
    Calls& calls_;
    bool opens_;
    bool open_ = false;
};

class RefusingDataLayer final : public TagDataLayer {
public:
    explicit RefusingDataLayer(bool opens) : opens_(opens) {}
    std::unique_ptr<TagConnection> createConnection() override { return std::make_unique<RefusingConnection>(calls, opens_); }
    Calls calls;

private:
    bool opens_;
};

TEST(CloseTagStore, DoesNotCloseAConnectionThatNeverOpened)
{
    RefusingDataLayer dataLayer(false);
    TagStore store(dataLayer, u"/nowhere", automation::FixedRegionalSettings::english());
    EXPECT_THROW(store.LoadTagTable(), automation::AutomationError);
    EXPECT_NO_THROW(store.CloseTagStore());
    EXPECT_EQ(dataLayer.calls.connectionCloses, 0);
    EXPECT_EQ(store.connectionSlot(), nullptr);
}

TEST(CloseTagStore, IgnoresCloseFailuresAndStillEmptiesBothSlots)
{
    RefusingDataLayer dataLayer(true);
    TagStore store(dataLayer, u"/somewhere", automation::FixedRegionalSettings::english());
    EXPECT_THROW(store.LoadTagTable(), std::runtime_error);
    ASSERT_NE(store.recordsetSlot(), nullptr);
    EXPECT_NO_THROW(store.CloseTagStore());
    EXPECT_EQ(dataLayer.calls.recordsetCloses, 1);
    EXPECT_EQ(dataLayer.calls.connectionCloses, 1);
    EXPECT_EQ(store.connectionSlot(), nullptr);
    EXPECT_EQ(store.recordsetSlot(), nullptr);
}

TEST(CloseTagStore, PassesTheLoadsOwnErrorsThroughUnchanged)
{
    RefusingDataLayer dataLayer(false);
    TagStore store(dataLayer, u"/nowhere", automation::FixedRegionalSettings::english());
    try {
        store.LoadTagTable();
        FAIL() << "no error";
    } catch (const automation::AutomationError& error) {
        EXPECT_EQ(error.description(), u"Could not find file '/nowhere/Corvane.mdb'.");
    }
}

}  // namespace
}  // namespace corvane::test

#include "automation/AutomationError.h"
#include "automation/KeyedCollection.h"

#include "ErrorNumber.h"

#include <gtest/gtest.h>

#include <functional>

using namespace corvane::automation;
using corvane::testing::errorNumberOf;

namespace {

class Item : public Object {
public:
    explicit Item(int itemId, int* alive = nullptr) : id(itemId), alive_(alive) { if (alive_) ++*alive_; }
    ~Item() override { if (alive_) --*alive_; }
    const int id;

private:
    int* alive_;
};

std::vector<int> idsOf(const KeyedCollection<Item>& c)
{
    std::vector<int> ids;
    c.forEach([&](const Ref<Item>& item) { ids.push_back(item->id); });
    return ids;
}

class KeyedCollectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        collection.add(makeRef<Item>(1), u"TIC101.PV");
        collection.add(makeRef<Item>(2), u"1");
        collection.add(makeRef<Item>(3), u"FIC200");
    }
    KeyedCollection<Item> collection;
};

}  // namespace

TEST_F(KeyedCollectionTest, KeepsTheOrderOfAdditionWithPositionsFromOne)
{
    EXPECT_EQ(collection.count(), 3);
    EXPECT_EQ(idsOf(collection), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(collection.item(Variant(1))->id, 1);
    EXPECT_EQ(collection.item(Variant(std::int16_t{3}))->id, 3);
    EXPECT_EQ(collection.item(Variant(2.5))->id, 2);  // a half rounds to the even position
}

TEST_F(KeyedCollectionTest, ComparesKeysWithoutRegardToLetterCase)
{
    EXPECT_EQ(collection.item(Variant(u"tic101.pv"))->id, 1);
    EXPECT_EQ(collection.itemByKey(u"fic200")->id, 3);
    EXPECT_EQ(errorNumberOf([&] { collection.add(makeRef<Item>(9), u"fic200"); }), error::kKeyAlreadyAssociated);
    EXPECT_EQ(collection.count(), 3);
}

TEST_F(KeyedCollectionTest, ReadsTextThatLooksLikeANumberAsAKey)
{
    EXPECT_EQ(collection.item(Variant(u"1"))->id, 2);
    EXPECT_EQ(collection.item(Variant(1))->id, 1);
    collection.remove(Variant(u"1"));
    EXPECT_EQ(idsOf(collection), (std::vector<int>{1, 3}));
}

TEST_F(KeyedCollectionTest, ClosesUpPositionsWhenAnItemIsRemoved)
{
    collection.remove(Variant(1));
    EXPECT_EQ(idsOf(collection), (std::vector<int>{2, 3}));
    EXPECT_EQ(collection.item(Variant(1))->id, 2);
    EXPECT_EQ(errorNumberOf([&] { collection.item(Variant(3)); }), error::kSubscriptOutOfRange);
    // The removed key is free again.
    collection.add(makeRef<Item>(4), u"TIC101.PV");
    EXPECT_EQ(idsOf(collection), (std::vector<int>{2, 3, 4}));
}

TEST_F(KeyedCollectionTest, RaisesAndChangesNothingForAbsentKeysAndPositions)
{
    EXPECT_EQ(errorNumberOf([&] { collection.item(Variant(u"nope")); }), error::kInvalidProcedureCall);
    EXPECT_EQ(errorNumberOf([&] { collection.remove(Variant(u"nope")); }), error::kInvalidProcedureCall);
    EXPECT_EQ(errorNumberOf([&] { collection.item(Variant(0)); }), error::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { collection.remove(Variant(4)); }), error::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { collection.item(Variant(-1e20)); }), error::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { collection.item(Variant::null()); }), error::kInvalidUseOfNull);
    EXPECT_EQ(errorNumberOf([&] { collection.item(Variant()); }), error::kInvalidProcedureCall);
    EXPECT_EQ(errorNumberOf([&] { collection.item(Variant::dispatch(makeRef<Item>(7))); }),
              error::kObjectDoesNotSupport);
    EXPECT_EQ(idsOf(collection), (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(collection.find(u"nope"));
}

TEST(KeyedCollection, HoldsCountedReferencesToItsItems)
{
    int alive = 0;
    Ref<Item> kept;
    {
        KeyedCollection<Item> collection;
        collection.add(makeRef<Item>(1, &alive), u"a");
        collection.add(makeRef<Item>(2, &alive), u"b");
        kept = collection.itemByKey(u"b");
        collection.removeByKey(u"a");
        EXPECT_EQ(alive, 1);
    }
    EXPECT_EQ(alive, 1);
    EXPECT_EQ(kept->id, 2);
    kept.reset();
    EXPECT_EQ(alive, 0);
}

TEST(KeyedCollection, FoldsLettersBeyondAscii)
{
    KeyedCollection<Item> collection;
    collection.add(makeRef<Item>(1), u"Ölstand");
    EXPECT_EQ(collection.itemByKey(u"ÖLSTAND")->id, 1);
    EXPECT_EQ(collection.itemByKey(u"ölstand")->id, 1);
    EXPECT_EQ(errorNumberOf([&] { collection.add(makeRef<Item>(2), u"öLSTAND"); }), error::kKeyAlreadyAssociated);
}

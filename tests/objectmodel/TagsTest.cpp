#include "ObjectModelFixture.h"
#include "automation/Enumerator.h"
#include "session/Data.h"
#include "tags/TagDefinition.h"
#include "tags/Tags.h"

using namespace corvane;
using namespace corvane::testing;
using automation::Ref;
using automation::Variant;
using Rows = std::vector<std::string>;

namespace {

class TagsCollection : public ObjectModelFixture {
protected:
    Ref<Tag> add(const char16_t* name, const Variant& key = Variant::missing()) { return tags->Add(name, key); }

    std::vector<std::string> enumeratedNames(const Ref<Tags>& collection)
    {
        std::vector<std::string> names;
        auto enumerator = automation::refCast<automation::Enumerator>(collection->NewEnum());
        for (const Variant& item : enumerator->Next(1000))
            names.push_back(utf8(automation::refCast<Tag>(item.object())->TagName()));
        return names;
    }

    Ref<Data> session = Data::Create(process);
    Ref<Tags> tags = session->Tags();
};

}  // namespace

TEST_F(TagsCollection, AddTakesValueAndConfidenceFromTheTagTableAndAppendsAGridRow)
{
    const Ref<Tag> tag = add(u"tic101.pv");
    EXPECT_EQ(tag->TagName(), u"tic101.pv");
    EXPECT_EQ(tag->PV(), 42.5f);
    EXPECT_EQ(tag->Confidence(), 95);
    EXPECT_EQ(tag->TagDefinition()->Description(), u"Description for tic101.pv");
    add(u"NOT.THERE");
    EXPECT_EQ(console.gridData.dataRows(), (Rows{"tic101.pv|42.5|95", "NOT.THERE|-999|0"}));
    EXPECT_EQ(tags->Count(), 2);
}

TEST_F(TagsCollection, AddRefusesADuplicateKeyAndLeavesCollectionAndGridAlone)
{
    add(u"ABC");
    EXPECT_EQ(errorNumberOf([&] { add(u"ABC"); }), 457);
    EXPECT_EQ(errorNumberOf([&] { add(u"abc"); }), 457);
    EXPECT_EQ(errorNumberOf([&] { add(u"X", Variant::null()); }), 94);
    EXPECT_EQ(tags->Count(), 1);
    EXPECT_EQ(console.gridData.dataRows(), (Rows{"ABC|-999|0"}));
}

TEST_F(TagsCollection, AddUnderKeysOfTheClientsChoosing)
{
    add(u"TIC101.PV", Variant(u"first"));
    add(u"TIC101.PV", Variant(12));
    EXPECT_EQ(tags->Item(Variant(u"12"))->TagName(), u"TIC101.PV");
    EXPECT_EQ(console.gridData.dataRows(), (Rows{"TIC101.PV|42.5|95", "TIC101.PV|42.5|95"}));
    // Delete by the second key removes that item, and the upper grid row of the name.
    tags->Item(Variant(u"first"))->setPV(1.0f);
    tags->Delete(Variant(u"12"));
    EXPECT_EQ(tags->Count(), 1);
    EXPECT_EQ(tags->Item(Variant(1))->PV(), 1.0f);
    EXPECT_EQ(console.gridData.dataRows(), (Rows{"TIC101.PV|42.5|95"}));
}

TEST_F(TagsCollection, DeleteMovesTheRowsBelowUp)
{
    add(u"TIC101.PV");
    add(u"10PT101");
    add(u"01LIC7");
    tags->Delete(Variant(1));
    EXPECT_EQ(console.gridData.dataRows(), (Rows{"10PT101|3.25|100", "01LIC7|61|80"}));
    tags->Delete(Variant(2));
    EXPECT_EQ(console.gridData.dataRows(), (Rows{"10PT101|3.25|100"}));
    EXPECT_EQ(enumeratedNames(tags), (std::vector<std::string>{"10PT101"}));
}

TEST_F(TagsCollection, DeleteAndItemRaiseBeforeChangingAnything)
{
    add(u"TIC101.PV");
    EXPECT_EQ(errorNumberOf([&] { tags->Delete(Variant(2)); }), 9);
    EXPECT_EQ(errorNumberOf([&] { tags->Delete(Variant(u"nope")); }), 5);
    EXPECT_EQ(errorNumberOf([&] { tags->Item(Variant(0)); }), 9);
    EXPECT_EQ(errorNumberOf([&] { tags->Item(Variant(u"nope")); }), 5);
    const Ref<Tag> tag = tags->Item(Variant(1));
    EXPECT_EQ(errorNumberOf([&] { tags->Item(Variant::dispatch(tag)); }), 438);
    EXPECT_EQ(errorNumberOf([&] { tags->Delete(Variant::dispatch(tag)); }), 438);
    EXPECT_EQ(errorNumberOf([&] { tags->Remove(Variant::dispatch(tag)); }), 438);
    EXPECT_EQ(errorNumberOf([&] { tags->Remove(Variant::null()); }), 94);
    EXPECT_EQ(tags->Count(), 1);
    EXPECT_EQ(console.gridData.dataRows().size(), 1u);
}

TEST_F(TagsCollection, RemoveTakesANumberAsAKeyNeverAsAPosition)
{
    add(u"TIC101.PV");
    add(u"1");
    tags->Remove(Variant(1));
    EXPECT_EQ(enumeratedNames(tags), (std::vector<std::string>{"TIC101.PV"}));
    EXPECT_EQ(console.gridData.dataRows(), (Rows{"TIC101.PV|42.5|95"}));
    add(u"1");
    tags->Delete(Variant(1));  // Delete takes it as a position
    EXPECT_EQ(enumeratedNames(tags), (std::vector<std::string>{"1"}));
}

TEST_F(TagsCollection, RemoveComparesTheGridExactlyButTheKeyWithoutCase)
{
    add(u"X");
    tags->Remove(Variant(u"x"));
    EXPECT_EQ(tags->Count(), 0);
    EXPECT_EQ(console.gridData.dataRows(), (Rows{"X|-999|0"}));
    // An absent key raises after the grid row of that exact name is gone.
    EXPECT_EQ(errorNumberOf([&] { tags->Remove(Variant(u"X")); }), 5);
    EXPECT_TRUE(console.gridData.dataRows().empty());
}

TEST_F(TagsCollection, SessionsShareOneGridAndRemoveAllEmptiesItForAll)
{
    add(u"TIC101.PV");
    const Ref<Data> second = Data::Create(process);
    second->Tags()->Add(u"10PT101", Variant::missing());
    EXPECT_EQ(console.gridData.dataRows(), (Rows{"TIC101.PV|42.5|95", "10PT101|3.25|100"}));
    second->Tags()->RemoveAll();
    EXPECT_EQ(second->Tags()->Count(), 0);
    EXPECT_EQ(tags->Count(), 1);  // the other session keeps its tag
    EXPECT_TRUE(console.gridData.dataRows().empty());
    EXPECT_TRUE(enumeratedNames(second->Tags()).empty());
}

TEST_F(TagsCollection, EnumeratesInOrderAndKeepsRemovedTagsAliveForTheirHolders)
{
    add(u"A");
    add(u"B");
    add(u"C");
    const Ref<Tag> b = tags->Item(Variant(u"B"));
    tags->Delete(Variant(u"B"));
    EXPECT_EQ(enumeratedNames(tags), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(b->TagName(), u"B");
}

TEST_F(TagsCollection, GridRowsLeftBySessionsSurviveTheirEnd)
{
    {
        const Ref<Data> earlier = Data::Create(process);
        earlier->Tags()->Add(u"01LIC7", Variant::missing());
        Data::Create(process);
    }
    EXPECT_EQ(console.gridData.dataRows(), (Rows{"01LIC7|61|80"}));
}

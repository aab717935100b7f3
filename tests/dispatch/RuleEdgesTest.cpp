// The edges of the collection, lookup, argument and listing rules, reached
// the way clients reach them: by name, through the dispatch rules.
#include "DispatchFixture.h"
#include "automation/Enumerator.h"
#include "server/SimServer.h"

using namespace corvane;
using namespace corvane::testing;
using namespace corvane::automation;

namespace {

class RuleEdges : public DispatchFixture {
protected:
    // The Automation error number a member raised, 0 when the call succeeded.
    static int errorOf(const InvokeOutcome& outcome)
    {
        EXPECT_TRUE(outcome.hresult == hresult::kOk || outcome.hresult == hresult::kException) << std::hex << outcome.hresult;
        return outcome.hresult == hresult::kException ? outcome.exception.code & 0xFFFF : 0;
    }
    int add(const char16_t* name) { return errorOf(call(*tags, u"Add", kMethod, {Variant(name)})); }
    std::u16string nameOfItem(const char16_t* key)
    {
        const InvokeOutcome outcome = call(*tags, u"Item", kMethod | kGet, {Variant(key)});
        return outcome.hresult == hresult::kOk ? refCast<Tag>(outcome.result.object())->TagName() : u"<none>";
    }

    Ref<Enumerator> newEnum()
    {
        const InvokeOutcome outcome = call(*tags, u"NewEnum", kMethod | kGet);
        EXPECT_EQ(outcome.hresult, hresult::kOk);
        return refCast<Enumerator>(outcome.result.object());
    }
    static std::vector<std::string> namesOf(const std::vector<Variant>& items)
    {
        std::vector<std::string> names;
        for (const Variant& item : items) names.push_back(utf8(refCast<Tag>(item.object())->TagName()));
        return names;
    }
    using Names = std::vector<std::string>;
};

}  // namespace

TEST_F(RuleEdges, KeysAreOneInEveryLetterCaseOfUnicode)
{
    const std::pair<const char16_t*, const char16_t*> sameKey[] = {
        {u"ґ", u"Ґ"}, {u"ά", u"Ά"}, {u"ａ", u"Ａ"}, {u"ǆ", u"Ǆ"}, {u"ա", u"Ա"},
        {u"k", u"\u212A"},       // the Kelvin sign
        {u"ß", u"ẞ"},            // capital sharp s
        {u"𐐨", u"𐐀"},          // beyond the basic plane
        {u"ΣΊΣΥΦΟΣ", u"σίσυφος"}, // final sigma
    };
    for (const auto& [first, second] : sameKey) {
        EXPECT_EQ(add(first), 0) << utf8(first);
        EXPECT_EQ(add(second), 457) << utf8(second);
        EXPECT_EQ(nameOfItem(second), first) << utf8(second);
    }
    EXPECT_EQ(add(u"ǅ"), 457);  // the title case of the same letter
}

TEST_F(RuleEdges, DotlessAndDottedIAreKeysOfTheirOwn)
{
    for (const char16_t* name : {u"i", u"ı", u"İ"}) EXPECT_EQ(add(name), 0) << utf8(name);
    EXPECT_EQ(add(u"I"), 457);
    EXPECT_EQ(nameOfItem(u"I"), u"i");
    EXPECT_EQ(nameOfItem(u"ı"), u"ı");
    EXPECT_EQ(nameOfItem(u"İ"), u"İ");
    EXPECT_EQ(add(u"SS"), 0);  // one letter never folds into two
    EXPECT_EQ(add(u"ß"), 0);
}

TEST_F(RuleEdges, TheTagTableLooksNamesUpInEveryLetterCase)
{
    dataLayer.putTagTable(kDatabasePath, {{Variant(u"ՊԻՑ-101"), Variant(1.5), Variant(70)}});
    const Ref<SimServer> reload = SimServer::Create(process);
    ASSERT_EQ(add(u"պից-101"), 0);
    EXPECT_EQ(tags->Item(Variant(u"պից-101"))->PV(), 1.5f);
    EXPECT_EQ(tags->Item(Variant(u"պից-101"))->Confidence(), 70);
}

TEST_F(RuleEdges, AnEmptyTagNameIsMissingEvenWhenTheDatabaseHasARowWithoutAName)
{
    dataLayer.putTagTable(kDatabasePath, {{Variant(u""), Variant(12.0), Variant(90)}, {Variant(u"A"), Variant(1.0), Variant(80)}});
    const Ref<SimServer> reload = SimServer::Create(process);
    ASSERT_EQ(process.tagStore.tagTable()->count(), 2);
    ASSERT_EQ(add(u""), 0);
    const Ref<Tag> unnamed = tags->Item(Variant(u""));
    EXPECT_EQ(unnamed->PV(), -999.0f);
    EXPECT_EQ(unnamed->Confidence(), 0);
    EXPECT_EQ(console.gridData.dataRows().back(), "|-999|0");
}

TEST_F(RuleEdges, NamedArgumentsThatLeaveARequiredOneOutAreTooFew)
{
    std::vector<DispId> ids;
    const std::u16string names[] = {u"Login", u"password"};
    ASSERT_EQ(dispatch::getIDsOfNames(session->dispatchBinding().description, names, ids), hresult::kOk);
    EXPECT_EQ(call(*session, u"Login", kMethod, {Variant(u"secret")}, {ids[1]}).hresult, hresult::kBadParamCount);
    EXPECT_EQ(call(*session, u"Login", kMethod, {Variant(u"operator")}).hresult, hresult::kBadParamCount);
    EXPECT_EQ(console.text(Control::txtPassword), u"");
    // Both by name, in either order, is a whole call.
    EXPECT_EQ(call(*session, u"Login", kMethod, {Variant(u"secret"), Variant(u"operator")}, {ids[1], 0}).hresult,
              hresult::kOk);
    EXPECT_EQ(console.text(Control::txtUserName), u"operator");
}

TEST_F(RuleEdges, ANegativeValueThatRoundsToZeroListsWithItsSign)
{
    console.sineWave = 0;
    console.dataWindowShown = true;
    process.SessionSettings.SampleFrequency = 60;
    ASSERT_EQ(put(*session, u"StartTime", Variant(u"NOW-1M")).hresult, hresult::kOk);
    ASSERT_EQ(put(*session, u"EndTime", Variant(u"NOW")).hresult, hresult::kOk);
    ASSERT_EQ(put(*tag, u"PV", Variant(-0.001)).hresult, hresult::kOk);
    Variant values, stamps, confidences;
    ASSERT_EQ(call(*tag, u"UnpackResults", kMethod,
                   {Variant::referenceToVariant(values), Variant::referenceToVariant(stamps),
                    Variant::referenceToVariant(confidences)})
                  .hresult,
              hresult::kOk);
    const std::u16string listing = console.text(Control::txtData);
    EXPECT_NE(listing.find(u"    -0.00\r\n"), std::u16string::npos) << utf8(listing);
    EXPECT_EQ(listing.find(u"    0.00"), std::u16string::npos) << utf8(listing);
}

// The enumerator walks the collection itself: what is removed during a walk
// is not met, what is added is.
TEST_F(RuleEdges, TheEnumeratorWalksTheLiveCollection)
{
    add(u"B");
    add(u"C");
    const Ref<Enumerator> walk = newEnum();
    EXPECT_EQ(namesOf(walk->Next(1)), (Names{"TIC101.PV"}));
    ASSERT_EQ(errorOf(call(*tags, u"Delete", kMethod, {Variant(2)})), 0);  // B
    add(u"D");
    EXPECT_EQ(namesOf(walk->Next(10)), (Names{"C", "D"}));
    EXPECT_TRUE(walk->Next(1).empty());
    add(u"E");
    EXPECT_EQ(namesOf(walk->Next(1)), (Names{"E"}));
    walk->Reset();
    EXPECT_EQ(namesOf(walk->Next(10)), (Names{"TIC101.PV", "C", "D", "E"}));
}

TEST_F(RuleEdges, AnEnumeratorWhoseCurrentItemWasRemovedGoesOnWithTheNext)
{
    add(u"B");
    add(u"C");
    const Ref<Enumerator> walk = newEnum();
    EXPECT_EQ(namesOf(walk->Next(2)), (Names{"TIC101.PV", "B"}));
    ASSERT_EQ(errorOf(call(*tags, u"Remove", kMethod, {Variant(u"b")})), 0);
    EXPECT_EQ(namesOf(walk->Next(1)), (Names{"C"}));
    // Removed and added again, a tag is a new item at the end.
    ASSERT_EQ(errorOf(call(*tags, u"Delete", kMethod, {Variant(u"TIC101.PV")})), 0);
    add(u"TIC101.PV");
    EXPECT_EQ(namesOf(walk->Next(5)), (Names{"TIC101.PV"}));
}

TEST_F(RuleEdges, ACloneGoesOnFromTheSamePlaceOnItsOwn)
{
    add(u"B");
    add(u"C");
    const Ref<Enumerator> walk = newEnum();
    ASSERT_TRUE(walk->Skip(1));
    const Ref<Enumerator> clone = walk->Clone();
    EXPECT_EQ(namesOf(walk->Next(1)), (Names{"B"}));
    ASSERT_EQ(errorOf(call(*tags, u"Delete", kMethod, {Variant(u"B")})), 0);
    EXPECT_EQ(namesOf(clone->Next(5)), (Names{"C"}));
    EXPECT_EQ(namesOf(walk->Next(5)), (Names{"C"}));
    EXPECT_FALSE(walk->Skip(1));
}

TEST_F(RuleEdges, AnEnumeratorOfAnEmptiedCollectionEndsAndSeesWhatComesLater)
{
    add(u"B");
    const Ref<Enumerator> walk = newEnum();
    const Ref<Enumerator> other = newEnum();
    EXPECT_EQ(namesOf(walk->Next(1)), (Names{"TIC101.PV"}));
    ASSERT_EQ(errorOf(call(*tags, u"RemoveAll", kMethod)), 0);
    EXPECT_TRUE(walk->Next(3).empty());
    EXPECT_FALSE(walk->Skip(1));
    add(u"F");
    EXPECT_EQ(namesOf(walk->Next(3)), (Names{"F"}));
    // Emptied one by one under an enumerator that has not started.
    ASSERT_EQ(errorOf(call(*tags, u"Delete", kMethod, {Variant(1)})), 0);
    EXPECT_TRUE(other->Next(3).empty());
    add(u"G");
    EXPECT_EQ(namesOf(other->Next(3)), (Names{"G"}));
    // The enumerator holds the collection for as long as it lives, past the
    // session that made it.
    const Ref<Data> later = Data::Create(process);
    tags.reset();
    session.reset();
    tag.reset();
    walk->Reset();
    EXPECT_EQ(namesOf(walk->Clone()->Next(3)), (Names{"G"}));
}

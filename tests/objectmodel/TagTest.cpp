#include "ObjectModelFixture.h"
#include "tags/Tag.h"
#include "tags/TagDefinition.h"

using namespace corvane;
using namespace corvane::testing;
using automation::makeRef;
using automation::Ref;

namespace {

using TagObject = ObjectModelFixture;

std::u16string unitsFor(const std::u16string& name, std::u16string before = {})
{
    TagDefinition definition;
    definition.setUnits(std::move(before));
    definition.GetTagDefinition(name);
    return definition.Units();
}

}  // namespace

TEST(TagDefinitions, DescribeTheNameWithTheRangeZeroToHundred)
{
    const Ref<TagDefinition> definition = makeRef<TagDefinition>();
    EXPECT_EQ(definition->Description(), u"");
    EXPECT_EQ(definition->HighExtreme(), 0.0f);
    EXPECT_TRUE(definition->GetTagDefinition(u"10PT101").isEmpty());
    EXPECT_EQ(definition->Description(), u"Description for 10PT101");
    EXPECT_EQ(definition->HighExtreme(), 100.0f);
    EXPECT_EQ(definition->LowExtreme(), 0.0f);
    definition->GetTagDefinition(u"");
    EXPECT_EQ(definition->Description(), u"Description for ");
}

TEST(TagDefinitions, ChooseUnitsByTheThirdCharacterInAnyCase)
{
    EXPECT_EQ(unitsFor(u"10PT101"), u"Bar");
    EXPECT_EQ(unitsFor(u"10pt101"), u"Bar");
    EXPECT_EQ(unitsFor(u"01ti200"), u"deg C");
    EXPECT_EQ(unitsFor(u"01TIC200"), u"deg C");
    EXPECT_EQ(unitsFor(u"AALEVEL"), u"%");
    EXPECT_EQ(unitsFor(u"01LIC7"), u"%");
}

TEST(TagDefinitions, KeepTheUnitsWhenNoLetterMatches)
{
    EXPECT_EQ(unitsFor(u"FIC101"), u"");
    EXPECT_EQ(unitsFor(u"PT1", u"kPa"), u"kPa");  // the first character does not count
    EXPECT_EQ(unitsFor(u"PT", u"kPa"), u"kPa");
    EXPECT_EQ(unitsFor(u"", u"kPa"), u"kPa");
    EXPECT_EQ(unitsFor(u"FIC101", u"kPa"), u"kPa");
    EXPECT_EQ(unitsFor(u"10TT5", u"kPa"), u"deg C");
}

TEST_F(TagObject, HoldsConfidenceBetweenZeroAndHundred)
{
    Tag tag(process);
    tag.setConfidence(150);
    EXPECT_EQ(tag.Confidence(), 100);
    tag.setConfidence(-5);
    EXPECT_EQ(tag.Confidence(), 0);
    tag.setConfidence(100);
    EXPECT_EQ(tag.Confidence(), 100);
    tag.setConfidence(0);
    EXPECT_EQ(tag.Confidence(), 0);
    tag.setConfidence(INT32_MIN);
    EXPECT_EQ(tag.Confidence(), 0);
}

TEST_F(TagObject, SharesItsUnitsWithItsOwnDefinition)
{
    const Ref<Tag> tag = makeRef<Tag>(process);
    tag->setUnits(u"kPa");
    EXPECT_EQ(tag->TagDefinition()->Units(), u"kPa");
    tag->TagDefinition()->setUnits(u"m3/h");
    EXPECT_EQ(tag->Units(), u"m3/h");
}

TEST_F(TagObject, HandsOutOneDefinitionThatOutlivesTheTag)
{
    Ref<Tag> tag = makeRef<Tag>(process);
    tag->Define(u"01TIC200");
    const Ref<TagDefinition> definition = tag->TagDefinition();
    EXPECT_EQ(tag->TagDefinition(), definition);
    tag.reset();
    EXPECT_EQ(definition->Description(), u"Description for 01TIC200");
    EXPECT_EQ(definition->Units(), u"deg C");
}

TEST_F(TagObject, DefineRenamesAndRedefinesButKeepsValueAndTexts)
{
    Tag tag(process);
    tag.Define(u"TIC101.PV");
    tag.setPV(42.5f);
    tag.setConfidence(80);
    tag.setOffset(u"+5");
    tag.setReductionType(u"AVG");
    tag.Define(u"10PT101");
    EXPECT_EQ(tag.TagName(), u"10PT101");
    EXPECT_EQ(tag.TagDefinition()->Description(), u"Description for 10PT101");
    EXPECT_EQ(tag.PV(), 42.5f);
    EXPECT_EQ(tag.Confidence(), 80);
    EXPECT_EQ(tag.Offset(), u"+5");
    EXPECT_EQ(tag.ReductionType(), u"AVG");
}

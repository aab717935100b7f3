// Every member of the typed wrappers, once, against the real server.
#include "ClientBusFixture.h"

#include "corvanesim/Data.h"
#include "corvanesim/RemoteError.h"
#include "corvanesim/SimServer.h"
#include "corvanesim/Text.h"

#include "automation/SafeArray.h"

using namespace corvane::client;
using corvane::automation::Variant;
using corvane::automation::VarType;

namespace {

using WrapperMembers = corvane::client::test::ClientBusFixture;

constexpr double k6Dec2026At0700 = 46362.0 + 7.0 / 24.0;  // 6 December 2026 07:00:00

TEST_F(WrapperMembers, DataStoresAndReturnsItsSettings)
{
    const Data data = Data::create(*connection);
    data.login(u"operator", u"secret");
    data.setHostName(u"plant-historian");
    EXPECT_EQ(data.hostName(), u"plant-historian");
    data.setSampleFrequency(60);
    EXPECT_EQ(data.sampleFrequency(), 60);
    data.setMinimumConfidence(12.5f);
    EXPECT_EQ(data.minimumConfidence(), 12.5f);
    data.setSampleMethod(u"Average");
    EXPECT_EQ(data.sampleMethod(), u"Average");
    data.setConnectionTimeout(5000);
    EXPECT_EQ(data.connectionTimeout(), 5000);
    data.setStartTime(Variant::date(k6Dec2026At0700));
    EXPECT_EQ(data.startTime(), Variant::date(k6Dec2026At0700));
    data.setEndTime(Variant::date(k6Dec2026At0700 + 1.0 / 24.0));
    EXPECT_EQ(dateText(data.endTime().date()), "2026-12-06 08:00:00");
    data.setStartTime(u"NOW-60M");
    EXPECT_EQ(data.startTime().vt(), corvane::automation::code(VarType::Date));
    data.fetch();
    EXPECT_EQ(data.tags().count(), 0);
}

TEST_F(WrapperMembers, TagsAddFindAndRemoveTheirTags)
{
    const Tags tags = Data::create(*connection).tags();
    EXPECT_EQ(tags.add(u"TIC101.PV").tagName(), u"TIC101.PV");
    tags.add(u"FIC101.PV", Variant(u"flow"));
    tags.add(u"LIC101.PV");
    tags.add(u"PIC101.PV");
    EXPECT_EQ(tags.count(), 4);
    EXPECT_EQ(tags.item(Variant(u"flow")).tagName(), u"FIC101.PV");
    EXPECT_EQ(tags.item(Variant(std::int32_t{1})).tagName(), u"TIC101.PV");

    tags.deleteItem(Variant(std::int32_t{1}));
    tags.remove(Variant(u"LIC101.PV"));
    std::vector<std::u16string> names;
    for (const Tag& tag : tags) names.push_back(tag.tagName());
    EXPECT_EQ(names, (std::vector<std::u16string>{u"FIC101.PV", u"PIC101.PV"}));
    EXPECT_TRUE(tags.newEnum());

    tags.removeAll();
    EXPECT_EQ(tags.count(), 0);
    EXPECT_TRUE(tags.begin() == tags.end());
}

TEST_F(WrapperMembers, TagCarriesItsValuesTextsAndDefinition)
{
    const Tag tag = Data::create(*connection).tags().add(u"TIC101.PV");
    EXPECT_EQ(tag.pv(), 65.3f);  // from the tag database
    EXPECT_EQ(tag.confidence(), 100);
    tag.setPV(12.25f);
    EXPECT_EQ(tag.pv(), 12.25f);
    tag.setConfidence(150);
    EXPECT_EQ(tag.confidence(), 100);
    tag.setUnits(u"K");
    EXPECT_EQ(tag.units(), u"K");
    EXPECT_EQ(tag.tagDefinition().units(), u"K");
    tag.setOffset(u"+3");
    EXPECT_EQ(tag.offset(), u"+3");
    tag.setReductionType(u"Max");
    EXPECT_EQ(tag.reductionType(), u"Max");
    tag.define(u"10PT101");
    EXPECT_EQ(tag.tagName(), u"10PT101");
    EXPECT_EQ(tag.tagDefinition().description(), u"Description for 10PT101");

    tag.put0(Variant(42.5));
    EXPECT_EQ(tag.pv(), 42.5f);
    EXPECT_EQ(tag.confidence(), 100);
    tag.put0(Variant(7.0), Variant(u"any time"), Variant(std::int32_t{80}));
    EXPECT_EQ(tag.pv(), 7.0f);
    EXPECT_EQ(tag.confidence(), 80);
}

TEST_F(WrapperMembers, TagUnpacksItsHistoryIntoTheCallersVariants)
{
    const Data data = Data::create(*connection);
    data.setSampleFrequency(60);
    data.setStartTime(Variant::date(k6Dec2026At0700));
    data.setEndTime(Variant::date(k6Dec2026At0700 + 2.0 / 1440.0));
    const Tag tag = data.tags().add(u"TIC101.PV");
    tag.setConfidence(70);

    Variant values(u"replaced"), timestamps, confidences;
    tag.unpackResults(values, timestamps, confidences);
    ASSERT_EQ(values.vt(), corvane::automation::kArrayFlag | corvane::automation::code(VarType::R4));
    EXPECT_EQ(values.array()->size(), 3u);
    EXPECT_EQ(timestamps.vt(), corvane::automation::kArrayFlag | corvane::automation::code(VarType::Date));
    EXPECT_EQ(confidences.vt(), corvane::automation::kArrayFlag | corvane::automation::code(VarType::I2));

    const History history = tag.unpackResults();
    EXPECT_EQ(history.values, values.array()->elements<float>());
    ASSERT_EQ(history.timestamps.size(), 3u);
    EXPECT_EQ(dateText(history.timestamps[2]), "2026-12-06 07:02:00");
    EXPECT_EQ(history.confidences, (std::vector<std::int16_t>{70, 70, 70}));
}

TEST_F(WrapperMembers, TagDefinitionIsMadeUpFromTheName)
{
    const TagDefinition definition = Data::create(*connection).tags().add(u"FIC101").tagDefinition();
    EXPECT_EQ(definition.units(), u"");
    EXPECT_EQ(definition.highExtreme(), 100.0f);
    EXPECT_EQ(definition.lowExtreme(), 0.0f);
    definition.setUnits(u"kPa");
    EXPECT_TRUE(definition.getTagDefinition(u"01TIC200").isEmpty());
    EXPECT_EQ(definition.units(), u"deg C");
    EXPECT_EQ(definition.description(), u"Description for 01TIC200");
}

TEST_F(WrapperMembers, SimServerHoldsTheSessionItIsGiven)
{
    const Data first = Data::create(*connection);
    const SimServer server = SimServer::create(*connection);
    // A SimServer of the client's own holds no session until it is given one.
    EXPECT_FALSE(server.data().object());
    server.setData(first);
    EXPECT_EQ(server.data().object(), first.object());
}

}  // namespace

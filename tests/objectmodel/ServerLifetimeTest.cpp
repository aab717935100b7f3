#include "ObjectModelFixture.h"
#include "server/SimServer.h"
#include "session/Data.h"
#include "tags/Tags.h"

using namespace corvane;
using namespace corvane::testing;
using automation::Ref;
using automation::Variant;

namespace {

using ServerLifetime = ObjectModelFixture;

std::int32_t lookup(TagStore& store, const char16_t* name, std::int32_t& confidence)
{
    return static_cast<std::int32_t>(store.LookupTag(name, confidence));
}

}  // namespace

TEST_F(ServerLifetime, FirstSessionStartsTheServerAndLaterOnesLinkToIt)
{
    const Ref<Data> first = Data::Create(process);
    ASSERT_TRUE(process.ServerInstance);
    EXPECT_EQ(console.windowShows, 1);
    EXPECT_EQ(dataLayer.opens, 1);
    EXPECT_EQ(process.ServerInstance->Data(), first);

    const Ref<Data> second = Data::Create(process);
    EXPECT_EQ(console.windowShows, 1);  // not shown again
    EXPECT_EQ(dataLayer.opens, 1);      // and not reloaded
    EXPECT_EQ(process.ServerInstance->Data(), second);
    // The first session stays usable by its client.
    first->Tags()->Add(u"TIC101.PV", Variant::missing());
    EXPECT_EQ(first->Tags()->Count(), 1);
}

TEST_F(ServerLifetime, LatestSessionAndItsTagsOutliveTheirClient)
{
    {
        const Ref<Data> session = Data::Create(process);
        session->Tags()->Add(u"TIC101.PV", Variant::missing());
    }
    const Ref<Data> kept = process.currentSession();
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->Tags()->Count(), 1);
    EXPECT_EQ(console.unloadRequests, 0);
}

TEST_F(ServerLifetime, ReplacedSessionEndsWhenItsClientReleasesIt)
{
    Ref<Data> first = Data::Create(process);
    const Ref<Tags> firstTags = first->Tags();
    const auto referencesWhileHeld = firstTags->referenceCount();
    Data::Create(process);
    first.reset();  // the server now holds only the newer session
    EXPECT_EQ(firstTags->referenceCount(), referencesWhileHeld - 1);
}

TEST_F(ServerLifetime, FailedFirstStartLeavesNoServerAndTheNextStartWorksWithoutTags)
{
    dataLayer.databases.clear();  // no database file
    try {
        Data::Create(process);
        FAIL() << "the first creation must fail";
    } catch (const automation::AutomationError& e) {
        EXPECT_EQ(static_cast<std::uint32_t>(e.hresult()), 0x80004005u);
        EXPECT_NE(utf8(e.description()).find("Corvane.mdb"), std::string::npos);
    }
    EXPECT_FALSE(process.ServerInstance);
    EXPECT_EQ(console.windowShows, 1);
    EXPECT_EQ(console.unloadRequests, 0);  // a server that never started has no shut-down

    // The failed load left its connection slot filled: no second attempt.
    dataLayer.putTagTable(kDatabasePath, {{Variant(u"TIC101.PV"), Variant(1.0), Variant(1)}});
    const Ref<Data> session = Data::Create(process);
    EXPECT_TRUE(process.ServerInstance);
    EXPECT_EQ(console.windowShows, 2);
    const Ref<Tag> tag = session->Tags()->Add(u"TIC101.PV", Variant::missing());
    EXPECT_EQ(tag->PV(), -999.0f);
    EXPECT_EQ(tag->Confidence(), 0);
}

TEST_F(ServerLifetime, ClientCreatedServerShowsTheWindowReloadsTheTableAndAsksOnRelease)
{
    const Ref<Data> session = Data::Create(process);
    dataLayer.putTagTable(kDatabasePath, {{Variant(u"NEW1"), Variant(5.0), Variant(60)}});

    Ref<SimServer> own = SimServer::Create(process);
    EXPECT_NE(own, process.ServerInstance);
    EXPECT_FALSE(own->Data());
    EXPECT_EQ(console.windowShows, 2);
    std::int32_t confidence = 0;
    EXPECT_EQ(lookup(tagStore, u"NEW1", confidence), 5);
    EXPECT_EQ(lookup(tagStore, u"TIC101.PV", confidence), -999);

    // Linking a session to it changes nothing for the window.
    own->setData(session);
    EXPECT_EQ(process.currentSession(), session);

    own.reset();
    EXPECT_EQ(console.unloadRequests, 1);
    // The operator said No: everything goes on.
    EXPECT_EQ(session->Tags()->Add(u"NEW1", Variant::missing())->PV(), 5.0f);
}

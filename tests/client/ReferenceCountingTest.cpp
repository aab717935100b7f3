// The library's references, checked against the server's own count of this
// client's references: none leak, none is released twice.
#include "ClientBusFixture.h"

#include "corvanesim/Data.h"
#include "corvanesim/Enumeration.h"
#include "corvanesim/SimServer.h"
#include "corvanesim/Text.h"

#include "typelib/TypeLibrary.h"

using namespace corvane::client;
using corvane::automation::Variant;

namespace {

using ReferenceCounting = corvane::client::test::ClientBusFixture;

TEST_F(ReferenceCounting, EachReferenceIsReleasedWhenItsScopeEnds)
{
    const Data data = Data::create(*connection);
    EXPECT_EQ(serverCount(data.object()), 1u);
    std::string tagsPath;
    {
        const Tags tags = data.tags();
        const Tags again = data.tags();
        tagsPath = tags.object().path();
        EXPECT_EQ(again.object(), tags.object());
        EXPECT_EQ(serverCount(tags.object()), 2u);
        const Tag tag = tags.add(u"TIC101.PV");
        const TagDefinition definition = tag.tagDefinition();
        EXPECT_EQ(serverCount(tag.object()), 1u);
        EXPECT_EQ(serverCount(definition.object()), 1u);
    }
    // The session still holds its Tags; this client holds none of it.
    EXPECT_EQ(serverCount(tagsPath), 0u);
    EXPECT_EQ(serverCount(data.object()), 1u);
}

TEST_F(ReferenceCounting, ACopyAddsOneAndEveryCopyReleasesOnce)
{
    ObjectRef first = connection->create("CorvaneSim.Data");
    const std::string path = first.path();
    {
        const ObjectRef second = first;  // NOLINT(performance-unnecessary-copy-initialization)
        EXPECT_EQ(serverCount(path), 2u);
        ObjectRef third;
        third = second;
        EXPECT_EQ(serverCount(path), 3u);
        third = third;  // assigning itself changes nothing
        EXPECT_EQ(serverCount(path), 3u);
        third = ObjectRef();
        EXPECT_EQ(serverCount(path), 2u);
    }
    EXPECT_EQ(serverCount(path), 1u);
    first.reset();
    first.reset();
    EXPECT_EQ(serverCount(path), 0u);
}

TEST_F(ReferenceCounting, AMovedFromReferenceReleasesNothing)
{
    ObjectRef first = connection->create("CorvaneSim.Data");
    const std::string path = first.path();
    ObjectRef second = std::move(first);
    first.reset();  // NOLINT(bugprone-use-after-move): holds nothing
    EXPECT_FALSE(first);
    EXPECT_EQ(serverCount(path), 1u);

    // Moving over a reference releases the one it held, once.
    ObjectRef other = connection->create("CorvaneSim.Data");
    const std::string otherPath = other.path();
    other = std::move(second);
    EXPECT_EQ(serverCount(otherPath), 0u);
    EXPECT_EQ(serverCount(path), 1u);
    other.reset();
    EXPECT_EQ(serverCount(path), 0u);
}

TEST_F(ReferenceCounting, AnEnumerationReleasesItsEnumeratorAndTheItemsNotKept)
{
    const Data data = Data::create(*connection);
    const Tags tags = data.tags();
    // More than one batch of Next.
    std::vector<std::u16string> added;
    for (unsigned i = 0; i < Enumeration::kBatch + 6; ++i) {
        added.push_back(u"TAG" + fromUtf8(std::to_string(i)));
        tags.add(added.back());
    }
    std::vector<std::u16string> seen;
    std::optional<Tag> kept;
    std::string enumeratorPath;
    {
        Enumeration items = tags.object().enumerate();
        for (const Variant& item : items) {
            const Tag tag(ObjectRef::from(item));
            seen.push_back(tag.tagName());
            if (seen.size() == 3) kept.emplace(tag.object());
        }
    }
    EXPECT_EQ(seen, added);
    EXPECT_EQ(serverCount(kept->object()), 1u);
    const std::string fifth = tags.item(Variant(std::int32_t{5})).object().path();
    EXPECT_EQ(serverCount(fifth), 0u);
}

TEST_F(ReferenceCounting, AWalkReleasesItsEnumerator)
{
    const Tags tags = Data::create(*connection).tags();
    tags.add(u"TIC101.PV");
    std::string path;
    {
        const ObjectRef enumerator = tags.newEnum();
        path = enumerator.path();
        for (const Variant& item : Enumeration(enumerator)) EXPECT_TRUE(ObjectRef::from(item));
        EXPECT_EQ(serverCount(path), 1u);
    }
    EXPECT_EQ(serverCount(path), 0u);
}

TEST_F(ReferenceCounting, AnObjectWrittenBackIntoAReferenceHoldsItsOwnReference)
{
    const Data data = Data::create(*connection);
    const SimServer server = SimServer::create(*connection);
    Variant held = data.object().toVariant();  // shares the reference of `data`
    constexpr Member kDataPut = memberOf(corvane::typelib::kSimServerInterface, u"Data", corvane::automation::MemberKind::PropertyPut);
    server.object().invoke(kDataPut, {Variant::reference(held)});
    EXPECT_EQ(ObjectRef::from(held), data.object());
    EXPECT_EQ(serverCount(data.object()), 2u);
    held = Variant();
    EXPECT_EQ(serverCount(data.object()), 1u);
}

}  // namespace

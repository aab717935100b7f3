#include "FakeObjects.h"

#include "remoting/server/ObjectRegistry.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

#include <vector>

using namespace corvane::automation;
using namespace corvane::remoting;
using namespace corvane::remoting::test;

namespace {

// Tells the test when it ends.
class WatchedObject final : public DispatchObject {
public:
    explicit WatchedObject(bool& ended) : ended_(ended) {}
    ~WatchedObject() override { ended_ = true; }
    const InterfaceBinding& dispatchBinding() const override { return FakeDispatch().dispatchBinding(); }

private:
    bool& ended_;
};

class Registry : public ::testing::Test {
protected:
    // Runs the collection often enough to be sure it walks every object.
    void collect()
    {
        for (std::size_t i = 0; i <= registry.size(); ++i) registry.collectUnclaimed();
    }

    std::vector<Ref<Object>> lastReleases;
    ObjectRegistry registry{QStringLiteral("/root"), [this](Ref<Object> last) { lastReleases.push_back(std::move(last)); }};
    const QString alice = QStringLiteral(":1.7");
    const QString bob = QStringLiteral(":1.8");
};

TEST_F(Registry, PathsCarry128RandomBitsUnderTheClassName)
{
    Ref<Object> first(new FakeDispatch), second(new FakeDispatch);
    const QRegularExpression shape(QStringLiteral("^/root/Fake/[0-9a-f]{32}$"));
    EXPECT_TRUE(shape.match(registry.pathOf(*first)).hasMatch()) << registry.pathOf(*first).toStdString();
    EXPECT_NE(registry.pathOf(*first), registry.pathOf(*second));
}

TEST_F(Registry, AnObjectKeepsItsPathWhileTheModelHoldsIt)
{
    Ref<Object> held(new FakeDispatch);
    const QString path = registry.pathOf(*held);
    registry.addReference(alice, *held);
    EXPECT_EQ(registry.release(alice, path), 0u);
    collect();
    EXPECT_EQ(registry.objectAt(path), held);
    EXPECT_EQ(registry.pathOf(*held), path);
    EXPECT_TRUE(lastReleases.empty());
}

TEST_F(Registry, CountsReferencesPerClient)
{
    Ref<Object> object(new FakeDispatch);
    const QString path = registry.pathOf(*object);
    EXPECT_EQ(registry.addReference(alice, *object), 1u);
    EXPECT_EQ(registry.addReference(alice, *object), 2u);
    EXPECT_EQ(registry.addReference(bob, *object), 1u);
    EXPECT_EQ(registry.release(alice, path), 1u);
    EXPECT_EQ(registry.references(bob, path), 1u);
    // A client without references changes nothing.
    EXPECT_EQ(registry.release(QStringLiteral(":1.99"), path), 0u);
    EXPECT_EQ(registry.release(alice, QStringLiteral("/root/Fake/none")), 0u);
    EXPECT_EQ(registry.references(alice, path), 1u);
    EXPECT_EQ(registry.references(bob, path), 1u);
}

TEST_F(Registry, TheLastReleaseGoesToTheSinkInsteadOfRunningInside)
{
    bool ended = false;
    const QString path = [&] {
        Ref<Object> object(new WatchedObject(ended));
        registry.addReference(alice, *object);
        return registry.pathOf(*object);
    }();
    EXPECT_EQ(registry.release(alice, path), 0u);
    EXPECT_FALSE(ended);
    ASSERT_EQ(lastReleases.size(), 1u);
    EXPECT_FALSE(registry.objectAt(path));  // unmapped before the release runs
    lastReleases.clear();
    EXPECT_TRUE(ended);
}

TEST_F(Registry, AClientThatLeavesReleasesEverythingItHeld)
{
    bool firstEnded = false, secondEnded = false;
    QString shared;
    {
        Ref<Object> first(new WatchedObject(firstEnded)), second(new WatchedObject(secondEnded));
        registry.addReference(alice, *first);
        registry.addReference(alice, *first);
        registry.addReference(alice, *second);
        registry.addReference(bob, *second);
        shared = registry.pathOf(*second);
    }
    registry.releaseClient(alice);
    ASSERT_EQ(lastReleases.size(), 1u);  // the first; bob still holds the second
    EXPECT_EQ(registry.references(bob, shared), 1u);
    registry.releaseClient(bob);
    ASSERT_EQ(lastReleases.size(), 2u);
    lastReleases.clear();
    EXPECT_TRUE(firstEnded);
    EXPECT_TRUE(secondEnded);
    EXPECT_EQ(registry.size(), 0u);
}

TEST_F(Registry, LetsGoOfAnObjectReleasedDuringACallThatHeldItAsSoonAsTheCallEnds)
{
    // Many objects that the model holds and no client claims, as the tags of a large session.
    std::vector<Ref<Object>> model;
    for (int i = 0; i < 100; ++i) {
        model.emplace_back(new FakeDispatch);
        registry.addReference(alice, *model.back());
        registry.release(alice, registry.pathOf(*model.back()));
    }
    bool ended = false;
    QString path;
    {
        Ref<Object> object(new WatchedObject(ended));
        registry.addReference(alice, *object);
        path = registry.pathOf(*object);
    }
    {
        const Ref<Object> heldByTheCall = registry.objectAt(path);
        EXPECT_EQ(registry.release(alice, path), 0u);
        EXPECT_TRUE(lastReleases.empty());
    }
    registry.collectUnclaimed();  // once, as after every call
    ASSERT_EQ(lastReleases.size(), 1u);
    EXPECT_FALSE(registry.objectAt(path));
    lastReleases.clear();
    EXPECT_TRUE(ended);
}

TEST_F(Registry, LetsGoOnceTheModelNoLongerHoldsAnUnclaimedObject)
{
    bool ended = false;
    Ref<Object> model(new WatchedObject(ended));
    const QString path = registry.pathOf(*model);  // sent in a failed call: nobody claims it
    collect();
    EXPECT_TRUE(lastReleases.empty());
    model.reset();
    collect();
    ASSERT_EQ(lastReleases.size(), 1u);
    EXPECT_FALSE(registry.objectAt(path));
    lastReleases.clear();
    EXPECT_TRUE(ended);
}

}  // namespace

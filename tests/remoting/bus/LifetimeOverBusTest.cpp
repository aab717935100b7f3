// References per client over the bus, stable object paths, and the end of the
// server: a client-created SimServer's release asks the operator.
#include "BusFixture.h"
#include "NameGone.h"
#include "ProcessExitWatch.h"

#include <QProcess>

using namespace corvane::automation;
using namespace corvane::remoting::test;
namespace m = corvane::remoting::test::member;

namespace {

using Lifetime = BusFixture;
using LifetimeAnsweringYes = BusFixtureAnsweringYes;

TEST_F(Lifetime, TheSameObjectAlwaysComesBackAsTheSamePath)
{
    const QString data = createData();
    const QString tags = tagsOf(data);
    EXPECT_EQ(tagsOf(data), tags);
    const QString tag = addTag(tags, u"TIC101.PV");
    EXPECT_EQ(TestClient::pathIn(client->invoke(tags, m::kTagsItem, m::kMethod, {Variant(std::int32_t{1})}).result), tag);

    // Released by this client, but still held by its session: the path stays.
    while (client->release(tags) > 0) {
    }
    EXPECT_EQ(tagsOf(data), tags);
}

TEST_F(Lifetime, ReferencesAreCountedPerClient)
{
    const QString data = createData();
    const auto other = newClient();
    EXPECT_EQ(client->addRef(data), 2u);
    EXPECT_EQ(other->release(data), 0u);  // holds none: changes nothing
    EXPECT_EQ(other->addRef(data), 1u);
    EXPECT_EQ(client->release(data), 1u);
    EXPECT_EQ(other->release(data), 0u);
    EXPECT_EQ(client->release(data), 0u);
}

TEST_F(Lifetime, OnlyASuccessfulReplyHandsOutReferences)
{
    const QString tags = tagsOf(createData());  // one reference from the get
    EXPECT_EQ(client->addRef(tags), 2u);
    Variant byReference = client->object(tags);
    // Refused (Count takes no arguments): the reference argument comes back, adding nothing.
    EXPECT_EQ(client->invoke(tags, m::kTagsCount, m::kGet, {Variant::referenceToVariant(byReference)}).hresult,
              qint32(0x8002000E));
    EXPECT_EQ(client->addRef(tags), 3u);
}

TEST_F(Lifetime, AReleasedEnumeratorIsGone)
{
    const QString tags = tagsOf(createData());
    const QString enumerator = TestClient::pathIn(client->invoke(tags, m::kTagsNewEnum, m::kMethod).result);
    ASSERT_FALSE(enumerator.isEmpty());
    EXPECT_EQ(client->release(enumerator), 0u);
    const QDBusMessage reply = client->call(enumerator, QStringLiteral("org.corvane.Automation1.EnumVARIANT"),
                                            QStringLiteral("Reset"));
    EXPECT_EQ(reply.errorName(), QStringLiteral("org.freedesktop.DBus.Error.UnknownObject"));
}

TEST_F(Lifetime, ReleasingAClientCreatedSimServerAsksTheOperatorAndOnNoServesOn)
{
    const QString data = createData();
    const quint32 pid = bus->ownerPid(QLatin1StringView(kServiceName));
    const TestClient::Created server = client->create(QStringLiteral("CorvaneSim.SimServer"));
    ASSERT_EQ(server.hresult, 0);
    EXPECT_EQ(client->release(server.path), 0u);  // answered before the question is put
    EXPECT_TRUE(bus->waitForLog(QStringLiteral("exit question answered No")));
    EXPECT_EQ(client->invoke(tagsOf(data), m::kTagsCount, m::kGet).result, Variant(std::int32_t{0}));
    EXPECT_EQ(bus->ownerPid(QLatin1StringView(kServiceName)), pid);
}

TEST_F(LifetimeAnsweringYes, ReleasingAClientCreatedSimServerAndAnsweringYesEndsTheProcess)
{
    createData();
    const quint32 pid = bus->ownerPid(QLatin1StringView(kServiceName));
    const TestClient::Created server = client->create(QStringLiteral("CorvaneSim.SimServer"));
    ASSERT_EQ(server.hresult, 0);
    NameGone gone(client->connection());
    EXPECT_EQ(client->release(server.path), 0u);  // the reply still arrives
    EXPECT_TRUE(gone.wait());
    EXPECT_TRUE(waitForProcessEnd(pid_t(pid)));
    EXPECT_TRUE(bus->log().contains(QStringLiteral("exit question answered Yes")));
}

TEST_F(LifetimeAnsweringYes, AKilledClientsReferencesAreReleased)
{
    createData();  // the server runs before the other client comes
    QProcess other;
    other.setProcessEnvironment(bus->clientEnvironment());
    other.start(QStringLiteral(CORVANE_TEST_CLIENT), {bus->address(), QStringLiteral("CorvaneSim.SimServer")});
    while (!other.canReadLine() && other.waitForReadyRead(30000)) {
    }
    ASSERT_TRUE(other.readLine().startsWith("0 /org/corvane/CorvaneSim/SimServer/"));
    NameGone gone(client->connection());
    other.kill();  // holding its SimServer
    other.waitForFinished();
    // Its SimServer's last release asks the question, and Yes ends the server.
    EXPECT_TRUE(gone.wait());
    EXPECT_TRUE(bus->log().contains(QStringLiteral("exit question answered Yes")));
}

}  // namespace

// The library over the direct connection: the bus finds the server, the
// calls go through its own socket, and nothing a client sees changes.
#include "ClientBusFixture.h"

#include "corvanesim/Data.h"

#include <QDBusMessage>

using namespace corvane::client;
using corvane::automation::Variant;

namespace {

using DirectRoute = corvane::client::test::ClientBusFixture;

constexpr double k6Dec2026At0700 = 46362.0 + 7.0 / 24.0;

History weekOf(const Connection& over)
{
    const Data data = Data::create(over);
    data.setStartTime(Variant::date(k6Dec2026At0700));
    data.setEndTime(Variant::date(k6Dec2026At0700 + 7.0));
    data.setSampleFrequency(15);
    const Tag tag = data.tags().add(u"TIC101.PV");
    tag.setPV(50.0f);
    return tag.unpackResults();
}

TEST_F(DirectRoute, AnswersAQueryBitForBitAsTheBusDoes)
{
    const Connection direct = Connection::toBus(bus->address().toStdString(), Connection::Route::Direct);
    const History overBus = weekOf(*connection);
    const History overDirect = weekOf(direct);
    ASSERT_EQ(overDirect.values.size(), 40321u);
    EXPECT_EQ(overDirect.values, overBus.values);
    EXPECT_EQ(overDirect.timestamps, overBus.timestamps);
    EXPECT_EQ(overDirect.confidences, overBus.confidences);
}

TEST_F(DirectRoute, HandsOutTheServersObjectsUnderTheirOwnPathsAndReleasesThem)
{
    const Connection direct = Connection::toBus(bus->address().toStdString(), Connection::Route::Direct);
    std::string path;
    {
        const Data mine = Data::create(direct);
        path = mine.object().path();
        // The same object on the bus, where this bus client holds none of it.
        EXPECT_EQ(serverCount(path), 0u);
        // A newer session takes the server's hold over from this one.
        Data::create(*connection);
    }
    // Released over the socket: nobody holds the session any more, and it is gone.
    const QDBusMessage gone = QDBusMessage::createMethodCall(QStringLiteral("org.corvane.CorvaneSim"), QString::fromStdString(path),
                                                             QStringLiteral("org.corvane.Automation1.Object"),
                                                             QStringLiteral("AddRef"));
    EXPECT_EQ(busConnection.call(gone).errorName(), QStringLiteral("org.freedesktop.DBus.Error.UnknownObject"));
}

}  // namespace

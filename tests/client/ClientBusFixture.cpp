#include "ClientBusFixture.h"

#include "remoting/client/BusTransport.h"
#include "remoting/common/BusContract.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QUuid>

namespace corvane::client::test {

namespace contract = remoting::contract;

void ClientBusFixture::SetUp()
{
    bus = std::make_unique<remoting::test::PrivateBus>(QString::fromUtf8(CORVANE_CLIENT_TEST_SERVICES));
    ASSERT_TRUE(bus->running()) << "dbus-daemon did not start";
    busConnection = QDBusConnection::connectToBus(bus->address(), QStringLiteral("client-test-") + QUuid::createUuid().toString());
    ASSERT_TRUE(busConnection.isConnected());
    connection.emplace(std::make_unique<BusTransport>(busConnection));
}

void ClientBusFixture::TearDown()
{
    connection.reset();
    QDBusConnection::disconnectFromBus(busConnection.name());
    bus.reset();  // ends the server too
}

quint32 ClientBusFixture::serverCount(const std::string& path)
{
    const auto call = [&](const char* member) {
        const QDBusMessage message =
            QDBusMessage::createMethodCall(QLatin1StringView(contract::kServiceName), QString::fromStdString(path),
                                           QLatin1StringView(contract::kObjectInterface), QLatin1StringView(member));
        return busConnection.call(message);
    };
    const QDBusMessage added = call("AddRef");
    // An object that has ended has no references left.
    if (added.errorName() == QLatin1StringView("org.freedesktop.DBus.Error.UnknownObject")) return 0;
    const quint32 withOneMore = added.arguments().value(0).toUInt();
    const quint32 count = call("Release").arguments().value(0).toUInt();
    EXPECT_EQ(withOneMore, count + 1) << "the object at " << path << " did not answer";
    return count;
}

bool ClientBusFixture::serverRunning()
{
    return busConnection.interface()->isServiceRegistered(QLatin1StringView(contract::kServiceName));
}

}  // namespace corvane::client::test

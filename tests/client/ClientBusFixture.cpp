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
    std::unique_ptr<BusTransport> library = BusTransport::toAddress(bus->address().toStdString());
    transport = library.get();
    connection.emplace(std::move(library));
}

void ClientBusFixture::TearDown()
{
    connection.reset();
    transport = nullptr;
    QDBusConnection::disconnectFromBus(busConnection.name());
    bus.reset();  // ends the server too
}

quint32 ClientBusFixture::serverCount(const std::string& path)
{
    // On the library's own connection, whose references the server counts.
    const auto call = [&](const char* member) {
        remoting::BusMessage message = transport->newCall(transport->serviceName(), QString::fromStdString(path),
                                                          contract::kObjectInterface, member);
        return transport->call(message, 10000);
    };
    CallReply added = call("AddRef");
    // An object that has ended has no references left.
    if (added.errorName == QLatin1StringView("org.freedesktop.DBus.Error.UnknownObject")) return 0;
    const quint32 withOneMore = added.succeeded() ? added.message.readUInt32() : 0;
    CallReply released = call("Release");
    const quint32 count = released.succeeded() ? released.message.readUInt32() : 0;
    EXPECT_EQ(withOneMore, count + 1) << "the object at " << path << " did not answer";
    return count;
}

bool ClientBusFixture::serverRunning()
{
    return busConnection.interface()->isServiceRegistered(QLatin1StringView(contract::kServiceName));
}

}  // namespace corvane::client::test

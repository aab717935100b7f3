#include "OperatorBusFixture.h"

#include <QUuid>

namespace corvane::operator_test {

void OperatorBusFixture::SetUp()
{
    bus = std::make_unique<remoting::test::PrivateBus>(QString::fromUtf8(services_));
    ASSERT_TRUE(bus->running()) << "dbus-daemon did not start";
    operatorConnection =
        QDBusConnection::connectToBus(bus->address(), QStringLiteral("operator-test-") + QUuid::createUuid().toString());
    ASSERT_TRUE(operatorConnection.isConnected());
    controls.emplace(bus->address().toStdString());
    client.emplace(client::Connection::toBus(bus->address().toStdString()));
}

void OperatorBusFixture::TearDown()
{
    client.reset();
    controls.reset();
    QDBusConnection::disconnectFromBus(operatorConnection.name());
    bus.reset();  // ends the server too
}

OperatorBusFixture::Session OperatorBusFixture::newSessionWith(std::u16string_view tagName)
{
    client::Data data = client::Data::create(*client);
    data.setStartTime(automation::Variant::date(kStart));
    data.setEndTime(automation::Variant::date(kStart + 300.0 / 86400));
    data.setSampleFrequency(15);
    client::Tag tag = data.tags().add(tagName);
    const int row = static_cast<int>(controls->gridRows().size()) - 1;
    return {std::move(data), std::move(tag), row};
}

QDBusMessage OperatorBusFixture::operatorCall(const char* member, const QVariantList& arguments, const char* interface,
                                              const char* path)
{
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.corvane.CorvaneSim"), QString::fromLatin1(path),
                                                       QString::fromLatin1(interface), QString::fromLatin1(member));
    call.setArguments(arguments);
    return operatorConnection.call(call);
}

}  // namespace corvane::operator_test

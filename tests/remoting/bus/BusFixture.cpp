#include "BusFixture.h"

#include <QDBusConnectionInterface>

namespace corvane::remoting::test {

void BusFixture::SetUp()
{
    bus = std::make_unique<PrivateBus>(QString::fromUtf8(answer_ == ExitAnswer::Yes ? CORVANE_SERVICES_ANSWER_YES
                                                                                    : CORVANE_SERVICES_ANSWER_NO));
    ASSERT_TRUE(bus->running()) << "dbus-daemon did not start";
    client = newClient();
    ASSERT_TRUE(client->connected());
}

void BusFixture::TearDown()
{
    client.reset();
    bus.reset();  // ends the server too
}

QString BusFixture::createData(TestClient* on)
{
    const TestClient::Created created = (on ? *on : *client).create(QStringLiteral("CorvaneSim.Data"));
    EXPECT_EQ(created.hresult, 0) << created.busError.toStdString() << created.error.description.toStdString();
    return created.path;
}

QString BusFixture::tagsOf(const QString& data, TestClient* on)
{
    return (on ? *on : *client).getObject(data, member::kDataTags);
}

QString BusFixture::addTag(const QString& tags, const char16_t* name, TestClient* on)
{
    const TestClient::Invoked added =
        (on ? *on : *client).invoke(tags, member::kTagsAdd, member::kMethod, {automation::Variant(name)});
    EXPECT_EQ(added.hresult, 0);
    return TestClient::pathIn(added.result);
}

bool BusFixture::serverRunning()
{
    return client->connection().interface()->isServiceRegistered(QLatin1StringView(kServiceName));
}

}  // namespace corvane::remoting::test

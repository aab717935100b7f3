#include "TestClient.h"

#include "remoting/common/BusContract.h"
#include "qtwire/ValueDecoder.h"
#include "qtwire/ValueEncoder.h"
#include "remoting/common/WireBudget.h"

#include <QDBusObjectPath>
#include <QUuid>

namespace corvane::remoting::test {

using automation::Variant;

namespace {

QDBusArgument structure(const QVariant& argument) { return argument.value<QDBusArgument>(); }

}  // namespace

TestClient::TestClient(const QString& address) : TestClient(address, Link::Bus) {}

TestClient::TestClient(const QString& address, Link link)
    : link_(link),
      connection_(link == Link::Bus
                      ? QDBusConnection::connectToBus(address, QStringLiteral("client-") + QUuid::createUuid().toString())
                      : QDBusConnection::connectToPeer(address, QStringLiteral("peer-") + QUuid::createUuid().toString()))
{
}

std::unique_ptr<TestClient> TestClient::direct(const QString& address)
{
    return std::unique_ptr<TestClient>(new TestClient(address, Link::Peer));
}

TestClient::~TestClient()
{
    if (link_ == Link::Bus)
        QDBusConnection::disconnectFromBus(connection_.name());
    else
        QDBusConnection::disconnectFromPeer(connection_.name());
}

QDBusMessage TestClient::call(const QString& path, const QString& interface, const QString& member,
                              const QVariantList& arguments)
{
    // A peer has nobody else to address.
    const QString destination = link_ == Link::Bus ? QString::fromLatin1(contract::kServiceName) : QString();
    QDBusMessage message = QDBusMessage::createMethodCall(destination, path, interface, member);
    message.setArguments(arguments);
    // Activation and the exit question can take a while.
    return connection_.call(message, QDBus::Block, 60000);
}

TestClient::Created TestClient::create(const QString& classId)
{
    const QDBusMessage reply = call(QLatin1StringView(contract::kRootPath),
                                    QLatin1StringView(contract::kClassFactoryInterface), QStringLiteral("CreateInstance"),
                                    {classId});
    Created created;
    if (reply.type() != QDBusMessage::ReplyMessage) {
        created.busError = reply.errorName();
        return created;
    }
    created.hresult = reply.arguments().at(0).toInt();
    created.path = reply.arguments().at(1).value<QDBusObjectPath>().path();
    created.error = decodeErrorInfo(reply.arguments().at(2));
    return created;
}

TestClient::Invoked TestClient::invoke(const QString& path, qint32 id, quint16 flags, const std::vector<Variant>& args,
                                       const std::vector<qint32>& namedIds)
{
    WireBudget budget;
    ValueEncoder encoder(objects_, budget);
    const QVariant sent = encoder.encodedList(args);
    const QDBusMessage reply = call(path, QLatin1StringView(contract::kDispatchInterface), QStringLiteral("Invoke"),
                                    {id, QVariant::fromValue(flags), sent,
                                     QVariant::fromValue(QList<int>(namedIds.begin(), namedIds.end()))});
    Invoked invoked;
    if (reply.type() != QDBusMessage::ReplyMessage) {
        invoked.busError = reply.errorName();
        invoked.busErrorMessage = reply.errorMessage();
        return invoked;
    }
    const QVariantList out = reply.arguments();
    ValueDecoder decoder(objects_, *invoked.referenced);
    invoked.hresult = out.at(0).toInt();
    invoked.result = decoder.decode(structure(out.at(1)));
    invoked.args = decoder.decodeList(structure(out.at(2)));
    invoked.exception = decodeErrorInfo(out.at(3));
    invoked.argErr = out.at(4).toUInt();
    return invoked;
}

TestClient::Invoked TestClient::put(const QString& path, qint32 id, const Variant& value, quint16 flags)
{
    return invoke(path, id, flags, {value}, {automation::kDispIdPropertyPut});
}

QString TestClient::getObject(const QString& path, qint32 id)
{
    const Invoked got = invoke(path, id, automation::kInvokePropertyGet);
    return got.hresult == 0 ? pathIn(got.result) : QString();
}

qint32 TestClient::idsOfNames(const QString& path, const QStringList& names, std::vector<qint32>& ids)
{
    const QDBusMessage reply =
        call(path, QLatin1StringView(contract::kDispatchInterface), QStringLiteral("GetIDsOfNames"), {names});
    ids.clear();
    if (reply.type() != QDBusMessage::ReplyMessage) return -1;
    QList<int> found;
    structure(reply.arguments().at(1)) >> found;
    ids.assign(found.begin(), found.end());
    return reply.arguments().at(0).toInt();
}

quint32 TestClient::addRef(const QString& path)
{
    return call(path, QLatin1StringView(contract::kObjectInterface), QStringLiteral("AddRef")).arguments().value(0).toUInt();
}

quint32 TestClient::release(const QString& path)
{
    return call(path, QLatin1StringView(contract::kObjectInterface), QStringLiteral("Release")).arguments().value(0).toUInt();
}

std::vector<Variant> TestClient::next(const QString& enumerator, quint32 count)
{
    const QDBusMessage reply = call(enumerator, QLatin1StringView(contract::kEnumVariantInterface),
                                    QStringLiteral("Next"), {QVariant::fromValue(count)});
    if (reply.type() != QDBusMessage::ReplyMessage) return {};
    std::deque<Variant> unused;
    return ValueDecoder(objects_, unused).decodeList(structure(reply.arguments().at(0)));
}

Variant TestClient::object(const QString& path) { return Variant::dispatch(objects_.objectAt(path)); }

QString TestClient::pathIn(const Variant& value)
{
    const Variant& object = value.dereferenced();
    if (!object.isObject()) return {};
    if (!object.object()) return QLatin1StringView(contract::kNothingPath);
    return static_cast<const RemoteObject&>(*object.object()).path();
}

}  // namespace corvane::remoting::test

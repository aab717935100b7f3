#include "DirectTransport.h"

#include "ErrorReplies.h"
#include "RemoteCalls.h"

#include "corvanesim/RemoteError.h"

#include "remoting/common/BusContract.h"
#include "remoting/common/WireText.h"

#include <QDBusError>
#include <QUuid>

namespace corvane::client {

namespace contract = remoting::contract;

std::unique_ptr<DirectTransport> DirectTransport::through(const QDBusConnection& bus)
{
    const QDBusMessage ask = QDBusMessage::createMethodCall(
        QLatin1StringView(contract::kServiceName), QLatin1StringView(contract::kRootPath),
        QLatin1StringView(contract::kDirectConnectionInterface), QStringLiteral("Address"));
    const QDBusMessage answer = bus.call(ask, QDBus::Block, RemoteCalls::kCallTimeoutMs);
    if (answer.type() != QDBusMessage::ReplyMessage) throw errors::fromErrorReply(answer, errors::Call::Create);
    if (answer.signature() != QLatin1StringView("s"))
        throw errors::unreadableReply(QStringLiteral("the server's address came as \"%1\"").arg(answer.signature()));

    const QString address = answer.arguments().at(0).toString();
    QDBusConnection peer = QDBusConnection::connectToPeer(
        address, QStringLiteral("corvane-direct-") + QUuid::createUuid().toString(QUuid::WithoutBraces));
    if (!peer.isConnected()) {
        const QString reason = peer.lastError().message();
        QDBusConnection::disconnectFromPeer(peer.name());
        throw RemoteError(hresult::kServerUnavailable,
                          remoting::toU16(QStringLiteral("Cannot connect to the server at %1: %2").arg(address, reason)));
    }
    return std::unique_ptr<DirectTransport>(new DirectTransport(std::move(peer)));
}

DirectTransport::~DirectTransport() { QDBusConnection::disconnectFromPeer(peer_.name()); }

QDBusMessage DirectTransport::call(const QDBusMessage& call, int timeoutMs)
{
    return peer_.call(call, QDBus::Block, timeoutMs);
}

QString DirectTransport::serviceName() const { return {}; }

}  // namespace corvane::client

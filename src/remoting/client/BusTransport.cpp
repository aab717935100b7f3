#include "BusTransport.h"

#include "corvanesim/RemoteError.h"

#include "remoting/common/BusContract.h"
#include "remoting/common/WireText.h"

#include <QDBusError>
#include <QUuid>

namespace corvane::client {

namespace {

QString uniqueConnectionName() { return QStringLiteral("corvane-client-") + QUuid::createUuid().toString(QUuid::WithoutBraces); }

}  // namespace

BusTransport::BusTransport(QDBusConnection connection) : BusTransport(std::move(connection), false) {}

BusTransport::BusTransport(QDBusConnection connection, bool owned) : connection_(std::move(connection)), owned_(owned) {}

BusTransport::~BusTransport()
{
    if (owned_) QDBusConnection::disconnectFromBus(connection_.name());
}

std::unique_ptr<BusTransport> BusTransport::opened(QDBusConnection connection, const QString& bus)
{
    if (!connection.isConnected()) {
        const QString reason = connection.lastError().message();
        QDBusConnection::disconnectFromBus(connection.name());
        throw RemoteError(hresult::kServerUnavailable,
                          remoting::toU16(QStringLiteral("Cannot connect to %1: %2").arg(bus, reason)));
    }
    return std::unique_ptr<BusTransport>(new BusTransport(std::move(connection), true));
}

std::unique_ptr<BusTransport> BusTransport::toSessionBus()
{
    return opened(QDBusConnection::connectToBus(QDBusConnection::SessionBus, uniqueConnectionName()),
                  QStringLiteral("the session bus"));
}

std::unique_ptr<BusTransport> BusTransport::toAddress(const QString& address)
{
    return opened(QDBusConnection::connectToBus(address, uniqueConnectionName()), QStringLiteral("the bus at ") + address);
}

QDBusMessage BusTransport::call(const QDBusMessage& call, int timeoutMs)
{
    return connection_.call(call, QDBus::Block, timeoutMs);
}

QString BusTransport::serviceName() const { return QString::fromLatin1(remoting::contract::kServiceName); }

}  // namespace corvane::client

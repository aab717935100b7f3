#include "DirectConnections.h"

#include "PeerCredentials.h"

#include "remoting/common/BusContract.h"

#include <QDBusError>
#include <QDBusVirtualObject>

namespace corvane::remoting {

DirectConnections::DirectConnections(QDBusVirtualObject& objects, std::function<void(const QString& client)> left)
    : objects_(objects), left_(std::move(left))
{
}

DirectConnections::~DirectConnections()
{
    for (const std::shared_ptr<Peer>& peer : std::as_const(peers_)) letGo(*peer);
    peers_.clear();
    // Before the folder with its socket goes. Qt 6.4's QDBusServer destructor
    // races with Qt D-Bus's thread (it hands its private part over for
    // deletion while still holding that part's lock); the server process
    // never gets here, since it ends by quick_exit.
    server_.reset();
}

QString DirectConnections::address(QString& error)
{
    if (server_) return server_->address();
    std::unique_ptr<DirectSocketFolder> folder = DirectSocketFolder::create(error);
    if (!folder) return {};
    auto server = std::make_unique<QDBusServer>(folder->address());
    if (!server->isConnected()) {
        error = QStringLiteral("cannot listen at %1: %2").arg(folder->address(), server->lastError().message());
        return {};
    }
    // The folder already keeps everybody else out; the socket's own mode says so too.
    if (!folder->restrictSocket(error)) return {};
    connect(server.get(), &QDBusServer::newConnection, this, &DirectConnections::accept);
    folder_ = std::move(folder);
    server_ = std::move(server);
    return server_->address();
}

QString DirectConnections::clientOf(const QDBusConnection& connection) const
{
    const auto found = peers_.constFind(connection.name());
    return found == peers_.constEnd() ? QString() : (*found)->client;
}

void DirectConnections::accept(const QDBusConnection& connection)
{
    // Qt D-Bus serves none of the peer's calls before this returns.
    if (!peerIsThisUser(connection)) {
        QDBusConnection::disconnectFromPeer(connection.name());
        return;
    }
    auto peer = std::make_shared<Peer>(Peer{QStringLiteral("direct-%1").arg(++joined_), connection, nullptr});
    const QString name = connection.name();
    peer->loss = std::make_unique<BusLossWatch>(connection, [this, name] { lost(name); });
    QDBusConnection published = connection;
    if (!published.registerVirtualObject(QString::fromLatin1(contract::kRootPath), &objects_, QDBusConnection::SubPath)) {
        QDBusConnection::disconnectFromPeer(name);
        return;
    }
    peers_.insert(name, std::move(peer));
}

void DirectConnections::letGo(Peer& peer)
{
    // Qt D-Bus closes the connection on its own thread once the last handle
    // to it goes, and touches whatever is still published on it then.
    peer.connection.unregisterObject(QString::fromLatin1(contract::kRootPath), QDBusConnection::UnregisterTree);
    QDBusConnection::disconnectFromPeer(peer.connection.name());
}

void DirectConnections::lost(const QString& connectionName)
{
    const auto found = peers_.find(connectionName);
    if (found == peers_.end()) return;
    std::shared_ptr<Peer> peer = *found;
    peers_.erase(found);
    letGo(*peer);
    // The watch that called us goes once its signal has been delivered.
    peer->loss.release()->deleteLater();
    left_(peer->client);
}

}  // namespace corvane::remoting

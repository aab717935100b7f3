#include "DirectConnections.h"

#include "PeerCredentials.h"

#include "remoting/common/BusContract.h"

#include <QDBusError>
#include <QDBusVirtualObject>

namespace corvane::remoting {

DirectConnections::DirectConnections(QDBusVirtualObject& objects, std::function<void(const QString& client)> left,
                                     std::size_t peersPerSocket)
    : objects_(objects), left_(std::move(left)), peersPerSocket_(peersPerSocket)
{
}

DirectConnections::~DirectConnections()
{
    for (const std::shared_ptr<Peer>& peer : std::as_const(peers_)) letGo(*peer);
    peers_.clear();
}

QString DirectConnections::address(QString& error)
{
    if (current_ && current_->accepted >= peersPerSocket_) {
        retired_.push_back(std::move(current_));
        closeIdleRetired();
    }
    if (!current_) current_ = listen(error);
    return current_ ? current_->server->address() : QString();
}

std::unique_ptr<DirectConnections::Listener> DirectConnections::listen(QString& error)
{
    auto listener = std::make_unique<Listener>();
    listener->folder = DirectSocketFolder::create(error);
    if (!listener->folder) return nullptr;
    listener->server = std::make_unique<QDBusServer>(listener->folder->address());
    if (!listener->server->isConnected()) {
        error = QStringLiteral("cannot listen at %1: %2").arg(listener->folder->address(),
                                                              listener->server->lastError().message());
        return nullptr;
    }
    // The folder already keeps everybody else out; the socket's own mode says so too.
    if (!listener->folder->restrictSocket(error)) return nullptr;
    Listener* raw = listener.get();
    connect(listener->server.get(), &QDBusServer::newConnection, this,
            [this, raw](const QDBusConnection& connection) { accept(*raw, connection); });
    return listener;
}

QString DirectConnections::clientOf(const QDBusConnection& connection) const
{
    const auto found = peers_.constFind(connection.name());
    return found == peers_.constEnd() ? QString() : (*found)->client;
}

void DirectConnections::accept(Listener& listener, const QDBusConnection& connection)
{
    ++listener.accepted;
    // Qt D-Bus serves none of the peer's calls before this returns.
    if (!peerIsThisUser(connection)) {
        QDBusConnection::disconnectFromPeer(connection.name());
        return;
    }
    auto peer = std::make_shared<Peer>(Peer{QStringLiteral("direct-%1").arg(++joined_), connection, &listener, nullptr});
    const QString name = connection.name();
    peer->loss = std::make_unique<BusLossWatch>(connection, [this, name] { lost(name); });
    QDBusConnection published = connection;
    if (!published.registerVirtualObject(QString::fromLatin1(contract::kRootPath), &objects_, QDBusConnection::SubPath)) {
        QDBusConnection::disconnectFromPeer(name);
        return;
    }
    ++listener.connected;
    peers_.insert(name, std::move(peer));
}

void DirectConnections::letGo(Peer& peer)
{
    // Qt D-Bus closes the connection on its own thread once the last handle
    // to it goes, and touches whatever is still published on it then.
    peer.connection.unregisterObject(QString::fromLatin1(contract::kRootPath), QDBusConnection::UnregisterTree);
    QDBusConnection::disconnectFromPeer(peer.connection.name());
    --peer.listener->connected;
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
    closeIdleRetired();
    left_(peer->client);
}

void DirectConnections::closeIdleRetired()
{
    if (retired_.empty()) return;
    std::erase_if(retired_, [newest = retired_.back().get()](const std::unique_ptr<Listener>& listener) {
        return listener.get() != newest && listener->connected == 0;
    });
}

}  // namespace corvane::remoting

#pragma once

#include "BusLossWatch.h"
#include "DirectSocketFolder.h"

#include <QDBusConnection>
#include <QDBusServer>
#include <QHash>
#include <QObject>
#include <QString>

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

class QDBusVirtualObject;

namespace corvane::remoting {

// The server's own socket, where clients make the same calls as on the bus
// without the bus daemon in between. Clients learn its address through the
// bus, which stays the way in. Each peer connection is a client of its own:
// the same objects are published on it, and when it goes its references go
// as a client's do when it leaves the bus. Only processes of this user get
// in: the socket sits in a folder of the user's alone, and a peer that
// another user runs is turned away before any of its calls is served.
//
// Qt D-Bus keeps the name of every peer a socket has taken in for as long as
// the socket listens (some 70 bytes each). So that a server running for weeks
// does not grow with every connection made to it, a socket that has taken in
// `peersPerSocket` peers is retired: later requests get a fresh socket, and
// the retired one goes once its peers have left and a newer one has been
// retired after it (a client may still be on its way to it in between).
class DirectConnections final : public QObject {
    Q_OBJECT

public:
    static constexpr std::size_t kPeersPerSocket = 10000;

    // `objects` serves every call of every peer; `left` hears of each peer
    // (by its client name) that has gone.
    DirectConnections(QDBusVirtualObject& objects, std::function<void(const QString& client)> left,
                      std::size_t peersPerSocket = kPeersPerSocket);
    ~DirectConnections() override;

    // The socket's D-Bus address, listening from the first request on; empty
    // with the reason in `error` when there can be no socket.
    QString address(QString& error);
    // The client that a peer connection stands for; empty for any other connection.
    QString clientOf(const QDBusConnection& connection) const;
    // Sockets listening now, the current one and retired ones.
    std::size_t listeningSockets() const { return (current_ ? 1 : 0) + retired_.size(); }

private:
    struct Listener {
        std::unique_ptr<DirectSocketFolder> folder;
        std::unique_ptr<QDBusServer> server;
        std::size_t accepted = 0;
        std::size_t connected = 0;
        ~Listener() { server.reset(); }  // before the folder with its socket goes
    };
    struct Peer {
        QString client;
        QDBusConnection connection;
        Listener* listener;
        std::unique_ptr<BusLossWatch> loss;
    };
    std::unique_ptr<Listener> listen(QString& error);
    void accept(Listener& listener, const QDBusConnection& connection);
    void lost(const QString& connectionName);
    void letGo(Peer& peer);
    // Closes the retired sockets that no peer uses, all but the newest.
    void closeIdleRetired();

    QDBusVirtualObject& objects_;
    std::function<void(const QString&)> left_;
    const std::size_t peersPerSocket_;
    std::unique_ptr<Listener> current_;
    std::vector<std::unique_ptr<Listener>> retired_;  // oldest first
    QHash<QString, std::shared_ptr<Peer>> peers_;     // by connection name
    quint64 joined_ = 0;
};

}  // namespace corvane::remoting

#pragma once

#include "BusConnection.h"
#include "DirectSocketFolder.h"

#include <QObject>
#include <QSocketNotifier>
#include <QString>

#include <functional>
#include <memory>
#include <unordered_map>

namespace corvane::remoting {

// The server's own socket, where clients make the same calls as on the bus
// without the bus daemon in between. Clients learn its address through the
// bus, which stays the way in. Each peer connection is a client of its own:
// the same objects are served on it, and when it goes its references go as a
// client's do when it leaves the bus. Only processes of this user get in: the
// socket sits in a folder of the user's alone, and a peer that another user
// runs is turned away, by the kernel's record of it, before a byte of it is read.
class DirectConnections final : public QObject {
    Q_OBJECT

public:
    // Serves one message of a peer, as the client that the peer stands for.
    using Serve = std::function<void(BusMessage& message, BusConnection& connection, const QString& client)>;

    // `serve` answers every call of every peer; `left` hears of each peer
    // (by its client name) that has gone.
    DirectConnections(Serve serve, std::function<void(const QString& client)> left);
    ~DirectConnections() override;

    // The socket's D-Bus address, listening from the first request on; empty
    // with the reason in `error` when there can be no socket.
    QString address(QString& error);
    // Peers connected now.
    std::size_t size() const { return peers_.size(); }

private:
    struct Peer {
        QString client;
        std::unique_ptr<BusConnection> connection;
    };
    void accept();
    void take(int socket);
    void lost(BusConnection* connection);

    Serve serve_;
    std::function<void(const QString&)> left_;
    std::unique_ptr<DirectSocketFolder> folder_;
    int listening_ = -1;
    std::unique_ptr<QSocketNotifier> incoming_;
    QString address_;
    std::string guid_;
    std::unordered_map<BusConnection*, Peer> peers_;
    quint64 joined_ = 0;
};

}  // namespace corvane::remoting

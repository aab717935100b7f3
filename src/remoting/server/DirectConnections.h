#pragma once

#include "BusLossWatch.h"
#include "DirectSocketFolder.h"

#include <QDBusConnection>
#include <QDBusServer>
#include <QHash>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QDBusVirtualObject;

namespace corvane::remoting {

// The server's own socket, where clients make the same calls as on the bus
// without the bus daemon in between. Clients learn its address through the
// bus, which stays the way in. Each peer connection is a client of its own:
// the same objects are published on it, and when it goes its references go
// as a client's do when it leaves the bus. Only processes of this user get
// in: the socket sits in a folder of the user's alone, and a peer that
// another user runs is turned away before any of its calls is served.
class DirectConnections final : public QObject {
    Q_OBJECT

public:
    // `objects` serves every call of every peer; `left` hears of each peer
    // (by its client name) that has gone.
    DirectConnections(QDBusVirtualObject& objects, std::function<void(const QString& client)> left);
    ~DirectConnections() override;

    // The socket's D-Bus address, listening from the first request on; empty
    // with the reason in `error` when there can be no socket.
    QString address(QString& error);
    // The client that a peer connection stands for; empty for any other connection.
    QString clientOf(const QDBusConnection& connection) const;

private slots:
    void accept(const QDBusConnection& connection);

private:
    struct Peer {
        QString client;
        QDBusConnection connection;
        std::unique_ptr<BusLossWatch> loss;
    };
    void lost(const QString& connectionName);
    void letGo(Peer& peer);

    QDBusVirtualObject& objects_;
    std::function<void(const QString&)> left_;
    std::unique_ptr<DirectSocketFolder> folder_;
    std::unique_ptr<QDBusServer> server_;
    QHash<QString, std::shared_ptr<Peer>> peers_;  // by connection name
    quint64 joined_ = 0;
};

}  // namespace corvane::remoting

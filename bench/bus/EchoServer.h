#pragma once

#include <QDBusConnection>
#include <QDBusServer>
#include <QObject>

// The baseline: the plainest Qt D-Bus method there is, exported from a
// QObject's slot, answering with its argument; on the bus, and on every
// peer-to-peer connection to its own socket.
class EchoServer final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.corvane.BenchEcho")

public:
    // Listens on a socket of its own besides.
    explicit EchoServer(const QString& peerAddress) : peers_(peerAddress)
    {
        connect(&peers_, &QDBusServer::newConnection, this, [this](const QDBusConnection& peer) {
            QDBusConnection(peer).registerObject(QStringLiteral("/echo"), this, QDBusConnection::ExportAllSlots);
        });
    }
    QString peerAddress() const { return peers_.address(); }

public slots:
    int Echo(int value) { return value; }

private:
    QDBusServer peers_;
};

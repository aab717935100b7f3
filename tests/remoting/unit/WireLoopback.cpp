#include "WireLoopback.h"

#include <QEventLoop>
#include <QTimer>
#include <QUuid>

namespace corvane::remoting::test {

class WireLoopback::Receiver final : public QDBusVirtualObject {
public:
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        received = message;  // keeps the arguments readable
        connection.send(message.createReply());
        return true;
    }
    QDBusMessage received;
};

WireLoopback::WireLoopback() : server_(QStringLiteral("unix:tmpdir=/tmp")), receiver_(std::make_unique<Receiver>())
{
    server_.setAnonymousAuthenticationAllowed(true);
    QEventLoop accepted;
    QObject::connect(&server_, &QDBusServer::newConnection, &accepted, [this, &accepted](const QDBusConnection& connection) {
        serverSide_ = connection;
        accepted.quit();
    });
    QTimer::singleShot(10000, &accepted, &QEventLoop::quit);
    client_ = QDBusConnection::connectToPeer(server_.address(), QStringLiteral("loopback-") + QUuid::createUuid().toString());
    if (!serverSide_.isConnected()) accepted.exec();
    serverSide_.registerVirtualObject(QStringLiteral("/loop"), receiver_.get());
}

WireLoopback::~WireLoopback()
{
    QDBusConnection::disconnectFromPeer(client_.name());
    if (serverSide_.isConnected()) QDBusConnection::disconnectFromPeer(serverSide_.name());
}

QDBusMessage WireLoopback::carry(const QVariantList& arguments)
{
    QDBusMessage message =
        QDBusMessage::createMethodCall(QString(), QStringLiteral("/loop"), QStringLiteral("test.Loop"), QStringLiteral("Carry"));
    message.setArguments(arguments);
    receiver_->received = QDBusMessage();
    // The far end is on this thread: wait for its reply with the event loop running.
    client_.call(message, QDBus::BlockWithGui, 10000);
    return receiver_->received;
}

}  // namespace corvane::remoting::test

// Peers of the direct socket that come and go in great numbers, several at a
// time: every peer the server took in is heard leaving, and the server lives
// on through its connections being closed while it lets go of others.
#include "remoting/server/DirectConnections.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <QUuid>

#include <gtest/gtest.h>

#include <vector>

using namespace corvane::remoting;

namespace {

// Runs the event loop until `done` holds or a minute has gone.
template <typename Condition>
void runUntil(Condition done)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] { if (done()) loop.quit(); });
    poll.start(5);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    if (!done()) loop.exec();
}

// The server under test, for the rest of the process, as the server process
// keeps it (it ends by quick_exit). It answers every call with nothing; the
// test is about connections, not calls.
DirectConnections& serverForTheProcess(int& left)
{
    static QTemporaryDir runtime;  // goes at the end, socket and all
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    static DirectConnections* direct = new DirectConnections(
        [](BusMessage& message, BusConnection& connection, const QString&) {
            BusMessage reply = connection.newReply(message);
            connection.send(reply);
        },
        [&left](const QString&) { ++left; });
    return *direct;
}

TEST(DirectPeers, ThatComeAndGoInGreatNumbersAreEachHeardLeaving)
{
    static int left = 0;
    DirectConnections& direct = serverForTheProcess(left);
    QString error;
    const QString address = direct.address(error);
    ASSERT_FALSE(address.isEmpty()) << error.toStdString();

    constexpr int kRounds = 60;
    constexpr int kPeersAtOnce = 8;
    for (int round = 0; round < kRounds; ++round) {
        std::vector<QString> names;
        int answered = 0;
        for (int i = 0; i < kPeersAtOnce; ++i) {
            names.push_back(QStringLiteral("churn-") + QUuid::createUuid().toString());
            QDBusConnection peer = QDBusConnection::connectToPeer(address, names.back());
            ASSERT_TRUE(peer.isConnected()) << round;
            // An answer means the server has taken the peer in.
            auto* call = new QDBusPendingCallWatcher(
                peer.asyncCall(QDBusMessage::createMethodCall({}, QStringLiteral("/org/corvane/CorvaneSim"),
                                                              QStringLiteral("org.corvane.Test"), QStringLiteral("Ping"))));
            QObject::connect(call, &QDBusPendingCallWatcher::finished, call, [&answered](QDBusPendingCallWatcher* self) {
                if (!self->isError()) ++answered;
                self->deleteLater();
            });
        }
        runUntil([&] { return answered == kPeersAtOnce; });
        ASSERT_EQ(answered, kPeersAtOnce) << round;
        for (const QString& name : names) QDBusConnection::disconnectFromPeer(name);
    }
    runUntil([&] { return left == kRounds * kPeersAtOnce; });
    EXPECT_EQ(left, kRounds * kPeersAtOnce);
}

}  // namespace

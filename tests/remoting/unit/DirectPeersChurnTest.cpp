// Peers of the direct socket that come and go in great numbers, several at a
// time: every peer the server took in is heard leaving, and the server lives
// on through its connections being closed while it lets go of others.
#include "remoting/server/DirectConnections.h"

#include "HeapInUse.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <QUuid>

#include <gtest/gtest.h>
#include <systemd/sd-bus.h>

#include <cstdlib>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

using namespace corvane::remoting;

namespace {

// Runs the event loop until `done` holds or `limitMs` has gone.
template <typename Condition>
void runUntil(Condition done, int limitMs = 60000)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] { if (done()) loop.quit(); });
    poll.start(5);
    QTimer::singleShot(limitMs, &loop, &QEventLoop::quit);
    if (!done()) loop.exec();
}

// The server under test, for the rest of the process, as the server process
// keeps it (it ends by quick_exit). It answers every call with nothing; the
// test is about connections, not calls.
DirectConnections& serverForTheProcess(int& left)
{
    // The process ends by quick_exit, which runs no destructors: the
    // directory, socket and all, goes by a handler of its own.
    static QTemporaryDir runtime;
    [[maybe_unused]] static const int removal = std::at_quick_exit([] { runtime.remove(); });
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

// A process of its own that connects `count` times one after the other, each
// time pinging the server (the library answers that by itself) and closing.
pid_t connectOneAfterAnother(const QString& address, int count)
{
    const QByteArray where = address.toUtf8();
    const pid_t child = ::fork();
    if (child != 0) return child;
    for (int i = 0; i < count; ++i) {
        sd_bus* peer = nullptr;
        if (sd_bus_new(&peer) < 0 || sd_bus_set_address(peer, where.constData()) < 0 || sd_bus_start(peer) < 0
            || sd_bus_call_method(peer, nullptr, "/", "org.freedesktop.DBus.Peer", "Ping", nullptr, nullptr, "") < 0)
            ::_exit(1);
        sd_bus_close_unref(peer);
    }
    ::_exit(0);
}

TEST(DirectPeers, ThatHaveComeAndGoneLeaveTheHeapWhereItWas)
{
    static int left = 0;  // counted by whichever test made the server first
    DirectConnections& direct = serverForTheProcess(left);
    QString error;
    const QString address = direct.address(error);
    ASSERT_FALSE(address.isEmpty()) << error.toStdString();
    const auto churn = [&](int count) {
        const pid_t child = connectOneAfterAnother(address, count);
        int status = -1;
        bool ended = false;
        runUntil([&] { return (ended = ended || ::waitpid(child, &status, WNOHANG) == child) && direct.size() == 0; },
                 600000);
        EXPECT_EQ(status, 0);
        EXPECT_EQ(direct.size(), 0u) << "peers not heard leaving";
    };
    // The allocator's arenas and the hash tables grow to their working size first.
    churn(200);
    const char* asked = std::getenv("CORVANE_CHURN_PEERS");
    const int peers = asked ? std::atoi(asked) : 2000;
    const std::uint64_t start = corvane::app::heapInUse();
    churn(peers);
    const std::int64_t growth = std::int64_t(corvane::app::heapInUse()) - std::int64_t(start);
    RecordProperty("heap_growth_bytes", std::to_string(growth));
    EXPECT_LE(growth, 512 * 1024) << "after " << peers << " peers";
}

}  // namespace

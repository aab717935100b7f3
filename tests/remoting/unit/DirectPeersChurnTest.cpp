// Peers of the direct socket that come and go in great numbers, several at a
// time: every peer the server took in is heard leaving, the server lives on
// through its connections being closed while it lets go of others, and a
// socket that has taken in its share of peers gives way to a fresh one.
#include "remoting/server/DirectConnections.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVirtualObject>
#include <QEventLoop>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QUuid>

#include <gtest/gtest.h>

#include <vector>

using namespace corvane::remoting;

namespace {

// Answers every call with nothing; the tests are about connections, not calls.
class AnswersEverything final : public QDBusVirtualObject {
public:
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        connection.send(message.createReply());
        return true;
    }
};

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

// Peers of this process, each named so that it can be let go.
class Peers {
public:
    explicit Peers(QString address) : address_(std::move(address)) {}
    ~Peers() { leave(); }

    // Connects `count` peers and waits for an answer on each: an answer
    // means the server has taken the peer in.
    ::testing::AssertionResult join(int count)
    {
        int answered = 0;
        for (int i = 0; i < count; ++i) {
            names_.push_back(QStringLiteral("churn-") + QUuid::createUuid().toString());
            QDBusConnection peer = QDBusConnection::connectToPeer(address_, names_.back());
            if (!peer.isConnected()) return ::testing::AssertionFailure() << "cannot connect to " << address_.toStdString();
            ping(peer, answered);
        }
        runUntil([&] { return answered == count; });
        if (answered != count) return ::testing::AssertionFailure() << answered << " of " << count << " answered";
        return ::testing::AssertionSuccess();
    }

    // Every peer still connected calls once more and is answered.
    bool stillServed()
    {
        int answered = 0;
        for (const QString& name : names_) ping(QDBusConnection(name), answered);
        runUntil([&] { return answered == int(names_.size()); });
        return answered == int(names_.size());
    }

    void leave()
    {
        for (const QString& name : names_) QDBusConnection::disconnectFromPeer(name);
        names_.clear();
    }

private:
    static void ping(const QDBusConnection& peer, int& answered)
    {
        auto* call = new QDBusPendingCallWatcher(
            peer.asyncCall(QDBusMessage::createMethodCall({}, QStringLiteral("/org/corvane/CorvaneSim"),
                                                          QStringLiteral("org.corvane.Test"), QStringLiteral("Ping"))));
        QObject::connect(call, &QDBusPendingCallWatcher::finished, call, [&answered](QDBusPendingCallWatcher* self) {
            if (!self->isError()) ++answered;
            self->deleteLater();
        });
    }

    QString address_;
    std::vector<QString> names_;
};

// The socket file an address names.
QString socketOf(const QString& address)
{
    return address.section(QLatin1Char(','), 0, 0).section(QLatin1Char('='), 1);
}

class DirectPeers : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(runtime.isValid());
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    }

    QString addressOf(DirectConnections& direct)
    {
        QString error;
        const QString address = direct.address(error);
        EXPECT_FALSE(address.isEmpty()) << error.toStdString();
        return address;
    }

    QTemporaryDir runtime;
    AnswersEverything objects;
    int left = 0;
    std::function<void(const QString&)> countLeaving = [this](const QString&) { ++left; };
};

TEST_F(DirectPeers, ThatComeAndGoInGreatNumbersAreEachHeardLeaving)
{
    DirectConnections direct(objects, countLeaving);
    const QString address = addressOf(direct);

    constexpr int kRounds = 60;
    constexpr int kPeersAtOnce = 8;
    for (int round = 0; round < kRounds; ++round) {
        Peers peers(address);
        ASSERT_TRUE(peers.join(kPeersAtOnce)) << "round " << round;
    }
    runUntil([&] { return left == kRounds * kPeersAtOnce; });
    EXPECT_EQ(left, kRounds * kPeersAtOnce);
    EXPECT_EQ(direct.listeningSockets(), 1u);
}

TEST_F(DirectPeers, ASocketThatHasTakenInItsShareGivesWayAndGoesOnceItsPeersAndASuccessorHaveGone)
{
    DirectConnections direct(objects, countLeaving, 3);
    const QString first = addressOf(direct);
    Peers onFirst(first);
    ASSERT_TRUE(onFirst.join(2));
    EXPECT_EQ(addressOf(direct), first) << "a socket with room keeps its address";
    ASSERT_TRUE(onFirst.join(1));

    // Full: the next request gets a fresh socket, the old one serves on.
    const QString second = addressOf(direct);
    EXPECT_NE(second, first);
    EXPECT_EQ(direct.listeningSockets(), 2u);
    EXPECT_TRUE(onFirst.stillServed());

    // Its peers gone, the retired socket stays while it is the newest retired:
    // a client may have been given its address a moment before.
    onFirst.leave();
    runUntil([&] { return left == 3; });
    EXPECT_EQ(direct.listeningSockets(), 2u);
    EXPECT_TRUE(QFileInfo::exists(socketOf(first)));

    // Once a newer one is retired, it goes with its socket file.
    Peers onSecond(second);
    ASSERT_TRUE(onSecond.join(3));
    const QString third = addressOf(direct);
    EXPECT_NE(third, second);
    EXPECT_EQ(direct.listeningSockets(), 2u);
    EXPECT_FALSE(QFileInfo::exists(socketOf(first)));
    EXPECT_TRUE(onSecond.stillServed());

    onSecond.leave();
    runUntil([&] { return left == 6; });
    EXPECT_EQ(left, 6);
}

}  // namespace

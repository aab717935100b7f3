// The direct connection: the server's own socket, found through the bus, with
// the same calls, objects and lifetimes as the bus, for this user alone.
#include "BusFixture.h"
#include "ProcessExitWatch.h"

#include "remoting/common/BusContract.h"

#include <QDBusMessage>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

using namespace corvane::automation;
using namespace corvane::remoting::test;
namespace m = corvane::remoting::test::member;
namespace contract = corvane::remoting::contract;

namespace {

QString directAddress(TestClient& over)
{
    const QDBusMessage answer = over.call(QLatin1StringView(contract::kRootPath),
                                          QLatin1StringView(contract::kDirectConnectionInterface), QStringLiteral("Address"));
    EXPECT_EQ(answer.type(), QDBusMessage::ReplyMessage) << answer.errorMessage().toStdString();
    return answer.arguments().value(0).toString();
}

// The socket's path in a unix:path=...,guid=... address.
std::string socketPathOf(const QString& address)
{
    const QString prefix = QStringLiteral("unix:path=");
    if (!address.startsWith(prefix)) return {};
    return QByteArray::fromPercentEncoding(address.mid(prefix.size()).section(QLatin1Char(','), 0, 0).toUtf8()).toStdString();
}

// Lets other users through the folders on the way to `path` that lie within
// `own` (made by this test); returns the first folder above them that bars
// other users anyway, or nothing.
std::string openTheWayForOthers(const std::string& path, const std::string& own)
{
    std::string barred;
    for (std::string folder = path.substr(0, path.rfind('/')); !folder.empty(); folder = folder.substr(0, folder.rfind('/'))) {
        struct stat status {};
        if (::stat(folder.c_str(), &status) != 0) return folder;
        if (folder.rfind(own, 0) == 0) {
            ::chmod(folder.c_str(), (status.st_mode & 07777) | S_IXOTH);
        } else if ((status.st_mode & S_IXOTH) == 0) {
            barred = folder;
        }
    }
    return barred;
}

// A copy of the test client in a temporary folder that other users may
// enter, for a client run as another user.
class ClientCopyForOthers {
public:
    ClientCopyForOthers()
    {
        const QString copy = folder_.filePath(QStringLiteral("corvane_test_client"));
        if (!folder_.isValid() || !QFile::copy(QStringLiteral(CORVANE_TEST_CLIENT), copy)) return;
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                        | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
        barredBy_ = openTheWayForOthers(copy.toStdString(), folder_.path().toStdString());
        path_ = copy;
    }

    QString folder() const { return folder_.path(); }
    QString path() const { return path_; }
    const std::string& barredBy() const { return barredBy_; }

private:
    QTemporaryDir folder_;
    QString path_;
    std::string barredBy_;
};

class DirectConnection : public BusFixture {
protected:
    explicit DirectConnection(ExitAnswer answer = ExitAnswer::No) : BusFixture(answer) {}

    void SetUp() override
    {
        BusFixture::SetUp();
        address = directAddress(*client);
        peer = TestClient::direct(address);
        ASSERT_TRUE(peer->connected()) << address.toStdString();
    }
    void TearDown() override
    {
        peer.reset();
        BusFixture::TearDown();
    }

    QString address;
    std::unique_ptr<TestClient> peer;
};

class DirectConnectionAnsweringYes : public DirectConnection {
protected:
    DirectConnectionAnsweringYes() : DirectConnection(ExitAnswer::Yes) {}
};

TEST_F(DirectConnection, MakesTheSameCallsOnTheSameObjectsAsTheBus)
{
    const QString data = createData(peer.get());
    const QString tags = tagsOf(data, peer.get());
    const QString tag = addTag(tags, u"TIC101.PV", peer.get());
    ASSERT_FALSE(tag.isEmpty());
    EXPECT_EQ(peer->invoke(tags, m::kTagsCount, m::kGet).result, Variant(std::int32_t{1}));

    // A path is a path on either way in, and names the same object.
    EXPECT_EQ(tagsOf(data), tags);
    EXPECT_EQ(client->invoke(tags, m::kTagsCount, m::kGet).result, Variant(std::int32_t{1}));
    EXPECT_EQ(TestClient::pathIn(client->invoke(tags, m::kTagsItem, m::kMethod | m::kGet, {Variant(std::int32_t{1})}).result),
              tag);

    // By-reference results come back as on the bus.
    Variant values, stamps, confidences;
    const TestClient::Invoked unpacked =
        peer->invoke(tag, m::kTagUnpackResults, m::kMethod,
                     {Variant::referenceToVariant(values), Variant::referenceToVariant(stamps),
                      Variant::referenceToVariant(confidences)});
    ASSERT_EQ(unpacked.hresult, 0);
    const TestClient::Invoked overBus =
        client->invoke(tag, m::kTagUnpackResults, m::kMethod,
                       {Variant::referenceToVariant(values), Variant::referenceToVariant(stamps),
                        Variant::referenceToVariant(confidences)});
    ASSERT_EQ(overBus.args.size(), 3u);
    ASSERT_EQ(unpacked.args.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(unpacked.args[i].target(), overBus.args[i].target()) << i;
}

TEST_F(DirectConnection, CountsThePeersReferencesForItAlone)
{
    const QString data = createData();  // one reference of the bus client's
    EXPECT_EQ(peer->addRef(data), 1u);
    EXPECT_EQ(peer->addRef(data), 2u);
    EXPECT_EQ(client->addRef(data), 2u);
    EXPECT_EQ(peer->release(data), 1u);
    EXPECT_EQ(client->release(data), 1u);
}

TEST_F(DirectConnection, ReleasesTheReferencesOfAPeerThatLeavesWithTheEffectsOfALastRelease)
{
    const TestClient::Created server = peer->create(QStringLiteral("CorvaneSim.SimServer"));
    ASSERT_EQ(server.hresult, 0);
    const TestClient::Created enumerated = peer->create(QStringLiteral("CorvaneSim.Data"));
    const QString enumerator = TestClient::pathIn(peer->invoke(tagsOf(enumerated.path, peer.get()), m::kTagsNewEnum,
                                                               m::kMethod | m::kGet).result);
    ASSERT_FALSE(enumerator.isEmpty());

    peer.reset();  // holding its SimServer and an enumerator that nobody else holds
    // Its SimServer's last release asks the operator, as a client's leaving the bus does.
    EXPECT_TRUE(bus->waitForLog(QStringLiteral("exit question answered No")));
    EXPECT_EQ(client->call(enumerator, QLatin1StringView(contract::kEnumVariantInterface), QStringLiteral("Reset")).errorName(),
              QStringLiteral("org.freedesktop.DBus.Error.UnknownObject"));
    EXPECT_TRUE(serverRunning());
}

TEST_F(DirectConnectionAnsweringYes, ReleasingASimServerOverTheDirectConnectionGetsItsReplyBeforeTheServerEnds)
{
    createData();
    const quint32 pid = bus->ownerPid(QLatin1StringView(kServiceName));
    const TestClient::Created server = peer->create(QStringLiteral("CorvaneSim.SimServer"));
    ASSERT_EQ(server.hresult, 0);
    const QDBusMessage released =
        peer->call(server.path, QLatin1StringView(contract::kObjectInterface), QStringLiteral("Release"));
    EXPECT_EQ(released.type(), QDBusMessage::ReplyMessage) << released.errorMessage().toStdString();
    EXPECT_EQ(released.arguments().value(0).toUInt(), 0u);
    EXPECT_TRUE(waitForProcessEnd(pid_t(pid)));
    EXPECT_TRUE(bus->log().contains(QStringLiteral("exit question answered Yes")));
}

TEST_F(DirectConnection, KeepsItsSocketInAFolderOfTheUsersAlone)
{
    const std::string socket = socketPathOf(address);
    ASSERT_FALSE(socket.empty()) << address.toStdString();
    const std::string folder = socket.substr(0, socket.rfind('/'));
    struct stat socketStat {}, folderStat {};
    ASSERT_EQ(::stat(socket.c_str(), &socketStat), 0);
    ASSERT_EQ(::stat(folder.c_str(), &folderStat), 0);
    EXPECT_TRUE(S_ISSOCK(socketStat.st_mode));
    EXPECT_EQ(socketStat.st_mode & 07777, 0600u);
    EXPECT_EQ(socketStat.st_uid, ::geteuid());
    EXPECT_TRUE(S_ISDIR(folderStat.st_mode));
    EXPECT_EQ(folderStat.st_mode & 07777, 0700u);
    EXPECT_EQ(folderStat.st_uid, ::geteuid());
    // Under the runtime folder that the server was given.
    EXPECT_EQ(QString::fromStdString(folder).section(QLatin1Char('/'), 0, -2),
              bus->clientEnvironment().value(QStringLiteral("XDG_RUNTIME_DIR")));
    // The same socket for every client.
    EXPECT_EQ(directAddress(*peer), address);
}

TEST_F(DirectConnection, TurnsAwayAPeerOfAnotherUser)
{
    if (::geteuid() != 0) GTEST_SKIP() << "only root can run a client as another user";
    // Open the way to the socket through the folders this test made, which
    // would otherwise bar the stranger, so that the server itself must tell
    // it away.
    const std::string socket = socketPathOf(address);
    const std::string runtime = bus->clientEnvironment().value(QStringLiteral("XDG_RUNTIME_DIR")).toStdString();
    const std::string made = runtime.substr(0, runtime.rfind('/'));
    const std::string barred = openTheWayForOthers(socket, made);
    if (!barred.empty()) GTEST_SKIP() << "another user cannot enter " << barred << ", above the bus's own folders";
    ASSERT_EQ(::chmod(socket.c_str(), 0666), 0);

    // The built client may sit in a folder only its owner can enter (a clone
    // in /root, or in a folder made by mktemp -d): the stranger runs a copy.
    const ClientCopyForOthers copy;
    if (!copy.barredBy().empty()) GTEST_SKIP() << "another user cannot enter " << copy.barredBy() << " to run the client";
    ASSERT_FALSE(copy.path().isEmpty()) << "could not copy the client";

    QProcess stranger;
    stranger.setWorkingDirectory(copy.folder());
    stranger.setChildProcessModifier([] {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
    });
    stranger.start(copy.path(), {QStringLiteral("--direct"), address, QStringLiteral("CorvaneSim.Data")});
    ASSERT_TRUE(stranger.waitForFinished(30000)) << stranger.errorString().toStdString();
    const std::string said = stranger.readAllStandardError().toStdString();
    EXPECT_NE(stranger.exitCode(), 3) << "the client could not become another user";
    EXPECT_NE(stranger.exitCode(), 4) << "the socket was out of the stranger's reach: " << said;
    EXPECT_EQ(stranger.exitCode(), 1) << said << stranger.readAllStandardOutput().toStdString();
    EXPECT_FALSE(stranger.readAllStandardOutput().startsWith("0 /org/corvane/CorvaneSim/Data/"));

    // This user's peers are served as before.
    EXPECT_EQ(peer->create(QStringLiteral("CorvaneSim.Data")).hresult, 0);
}

}  // namespace

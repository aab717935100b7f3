// Activation from the service file, one server for every client, and the
// server's own ends: a second server, the loss of the bus.
#include "BusFixture.h"
#include "ProcessExitWatch.h"

#include <QDBusConnectionInterface>
#include <QProcess>
#include <QRegularExpression>

#include <csignal>

using namespace corvane::remoting::test;

namespace {

using Activation = BusFixture;

TEST_F(Activation, AClientsFirstCreationStartsTheServer)
{
    EXPECT_FALSE(serverRunning());
    const TestClient::Created created = client->create(QStringLiteral("CorvaneSim.Data"));
    EXPECT_EQ(created.hresult, 0);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^/org/corvane/CorvaneSim/Data/[0-9a-f]{32}$")).match(created.path).hasMatch())
        << created.path.toStdString();
    EXPECT_TRUE(serverRunning());
    EXPECT_TRUE(bus->waitForLog(QStringLiteral("Activating service name='org.corvane.CorvaneSim'")));
}

TEST_F(Activation, TwoClientProcessesCreatingDataShareOneServer)
{
    QProcess first, second;
    for (QProcess* process : {&first, &second}) {
        process->setProcessEnvironment(bus->clientEnvironment());
        process->start(QStringLiteral(CORVANE_TEST_CLIENT), {bus->address(), QStringLiteral("CorvaneSim.Data")});
    }
    QStringList lines;
    for (QProcess* process : {&first, &second}) {
        while (!process->canReadLine() && process->waitForReadyRead(30000)) {
        }
        lines << QString::fromLocal8Bit(process->readLine()).trimmed();
    }
    const QStringList one = lines[0].split(QLatin1Char(' ')), other = lines[1].split(QLatin1Char(' '));
    ASSERT_EQ(one.size(), 3) << lines[0].toStdString();
    ASSERT_EQ(other.size(), 3) << lines[1].toStdString();
    EXPECT_EQ(one[0], QStringLiteral("0"));
    EXPECT_EQ(other[0], QStringLiteral("0"));
    EXPECT_NE(one[1], other[1]);  // two sessions
    EXPECT_EQ(one[2], other[2]);  // in one server process, with its one window
    ASSERT_TRUE(bus->waitForLog(QStringLiteral("Successfully activated service")));
    EXPECT_EQ(bus->log().count(QStringLiteral("Activating service")), 1);

    for (QProcess* process : {&first, &second}) {
        process->closeWriteChannel();
        EXPECT_TRUE(process->waitForFinished(10000));
        EXPECT_EQ(process->exitCode(), 0);
    }
}

TEST_F(Activation, ClassesThatClientsCannotCreateAreNotRegistered)
{
    for (const char* classId : {"CorvaneSim.Tags", "CorvaneSim.Tag", "CorvaneSim.TagDefinition", "Nonsense", ""}) {
        const TestClient::Created created = client->create(QString::fromLatin1(classId));
        EXPECT_EQ(created.hresult, qint32(0x80040154)) << classId;
        EXPECT_EQ(created.path, QStringLiteral("/"));
        EXPECT_EQ(created.error.code, qint32(0x80040154));
        EXPECT_FALSE(created.error.description.isEmpty());
    }
    EXPECT_EQ(client->create(QStringLiteral("corvanesim.DATA")).hresult, 0);
    EXPECT_EQ(client->create(QStringLiteral("CORVANESIM.SIMSERVER")).hresult, 0);
}

TEST_F(Activation, ASecondServerStartedWhileOneServesExitsWithAClearMessage)
{
    createData();
    QProcess second;
    QProcessEnvironment environment = bus->clientEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    second.setProcessEnvironment(environment);
    second.start(QStringLiteral(CORVANESIM_EXECUTABLE), {});
    ASSERT_TRUE(second.waitForFinished(30000));
    EXPECT_NE(second.exitCode(), 0);
    EXPECT_TRUE(QString::fromLocal8Bit(second.readAllStandardError()).contains(QStringLiteral("already owns org.corvane.CorvaneSim")));
    EXPECT_TRUE(serverRunning());
}

TEST_F(Activation, TheServerEndsWhenItLosesItsBus)
{
    createData();
    const quint32 pid = bus->ownerPid(QLatin1StringView(kServiceName));
    ASSERT_NE(pid, 0u);
    client.reset();
    bus->endDaemon();
    const bool ended = waitForProcessEnd(pid_t(pid));
    EXPECT_TRUE(ended);
    if (!ended) ::kill(pid_t(pid), SIGKILL);
}

}  // namespace

// Activation from the service file, one server for every client, and the
// server's own ends: a second server, the loss of the bus.
#include "BusFixture.h"
#include "ProcessExitWatch.h"

#include <QDBusConnectionInterface>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

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

namespace {

// A server whose folder holds no tag database: a copy of the executable alone.
TEST(ActivationWithoutDatabase, AFailedCreationReturnsItsErrorAndNoObjectAndTheNextOneSucceeds)
{
    QTemporaryDir folder;
    const QString executable = folder.filePath(QStringLiteral("corvanesim"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(CORVANESIM_EXECUTABLE), executable));
    QDir().mkpath(folder.filePath(QStringLiteral("services")));
    QFile service(folder.filePath(QStringLiteral("services/org.corvane.CorvaneSim.service")));
    ASSERT_TRUE(service.open(QIODevice::WriteOnly));
    service.write(QStringLiteral("[D-BUS Service]\nName=org.corvane.CorvaneSim\n"
                                 "Exec=/usr/bin/env QT_QPA_PLATFORM=offscreen CORVANESIM_TEST_EXIT_ANSWER=no %1\n")
                      .arg(executable)
                      .toUtf8());
    service.close();

    PrivateBus bus(folder.filePath(QStringLiteral("services")));
    ASSERT_TRUE(bus.running());
    TestClient client(bus.address());
    const TestClient::Created failed = client.create(QStringLiteral("CorvaneSim.Data"));
    EXPECT_LT(failed.hresult, 0);
    EXPECT_EQ(failed.path, QStringLiteral("/"));
    EXPECT_EQ(failed.error.code, failed.hresult);
    EXPECT_TRUE(failed.error.description.contains(QStringLiteral("Corvane.mdb"))) << failed.error.description.toStdString();

    const TestClient::Created second = client.create(QStringLiteral("CorvaneSim.Data"));
    ASSERT_EQ(second.hresult, 0);
    const QString tags = client.getObject(second.path, member::kDataTags);
    const auto added = client.invoke(tags, member::kTagsAdd, member::kMethod, {corvane::automation::Variant(u"TIC101.PV")});
    EXPECT_EQ(client.invoke(TestClient::pathIn(added.result), member::kTagPV, member::kGet).result,
              corvane::automation::Variant(-999.0f));
}

}  // namespace

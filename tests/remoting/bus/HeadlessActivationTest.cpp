// A server that the bus starts where there is no display to open: it draws
// its window offscreen, says so once, and serves.
#include "Members.h"
#include "PrivateBus.h"
#include "TestClient.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace corvane::remoting::test;

namespace {

const QString kNote = QStringLiteral("no display could be opened; the window is drawn offscreen");

// A private bus that starts the server with `environment` (arguments of env:
// -u NAME, NAME=VALUE) on top of the bus's own, which the test runner may
// have given a display.
class HeadlessActivation : public ::testing::Test {
protected:
    void start(const QString& environment)
    {
        QDir().mkpath(folder.filePath(QStringLiteral("services")));
        QFile service(folder.filePath(QStringLiteral("services/org.corvane.CorvaneSim.service")));
        ASSERT_TRUE(service.open(QIODevice::WriteOnly));
        service.write(QStringLiteral("[D-BUS Service]\nName=org.corvane.CorvaneSim\n"
                                     "Exec=/usr/bin/env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM %1 "
                                     "CORVANESIM_TEST_EXIT_ANSWER=yes %2\n")
                          .arg(environment, QStringLiteral(CORVANESIM_EXECUTABLE))
                          .toUtf8());
        service.close();
        bus = std::make_unique<PrivateBus>(folder.filePath(QStringLiteral("services")));
        ASSERT_TRUE(bus->running());
        client = std::make_unique<TestClient>(bus->address());
    }

    // A session made, a tag added and read back: the server serves.
    void expectServed()
    {
        const TestClient::Created created = client->create(QStringLiteral("CorvaneSim.Data"));
        ASSERT_EQ(created.hresult, 0) << created.busError.toStdString() << "\n" << bus->log().toStdString();
        const QString tags = client->getObject(created.path, member::kDataTags);
        const auto added = client->invoke(tags, member::kTagsAdd, member::kMethod, {corvane::automation::Variant(u"TIC101.PV")});
        ASSERT_EQ(added.hresult, 0);
        EXPECT_EQ(client->invoke(TestClient::pathIn(added.result), member::kTagPV, member::kGet).result,
                  corvane::automation::Variant(65.3f));
        ASSERT_TRUE(bus->waitForLog(QStringLiteral("Successfully activated service")));
    }

    QTemporaryDir folder;
    std::unique_ptr<PrivateBus> bus;
    std::unique_ptr<TestClient> client;
};

TEST_F(HeadlessActivation, WithNoDisplayVariablesTheServerRunsOffscreenAndSaysSoOnce)
{
    ASSERT_NO_FATAL_FAILURE(start(QString()));
    ASSERT_NO_FATAL_FAILURE(expectServed());
    // A second session changes nothing about the window.
    EXPECT_EQ(client->create(QStringLiteral("CorvaneSim.Data")).hresult, 0);
    EXPECT_EQ(bus->log().count(kNote), 1) << bus->log().toStdString();
}

TEST_F(HeadlessActivation, ADisplayThatCannotBeOpenedFallsBackToOffscreen)
{
    ASSERT_NO_FATAL_FAILURE(start(QStringLiteral("DISPLAY=:4242")));
    ASSERT_NO_FATAL_FAILURE(expectServed());
    EXPECT_EQ(bus->log().count(kNote), 1) << bus->log().toStdString();
}

TEST_F(HeadlessActivation, AnExplicitPlatformWins)
{
    ASSERT_NO_FATAL_FAILURE(start(QStringLiteral("QT_QPA_PLATFORM=minimal")));
    ASSERT_NO_FATAL_FAILURE(expectServed());
    EXPECT_EQ(bus->log().count(kNote), 0) << bus->log().toStdString();
}

}  // namespace

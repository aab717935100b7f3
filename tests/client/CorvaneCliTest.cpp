// corvane, the command-line client: its output and exit status, run as a
// process against the server on a private bus.
#include "CorvaneProcess.h"
#include "PrivateBus.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

using corvane::client::test::Outcome;
using corvane::client::test::runCorvane;
using corvane::remoting::test::PrivateBus;

// Compares with a golden file, showing a diff when they differ.
void expectGolden(const QString& actual, const char* name)
{
    const QString golden = QStringLiteral(CORVANE_CLIENT_GOLDEN_DIR "/") + QLatin1StringView(name);
    QFile expectedFile(golden);
    ASSERT_TRUE(expectedFile.open(QIODevice::ReadOnly)) << golden.toStdString();
    const QString expected = QString::fromUtf8(expectedFile.readAll());
    if (actual == expected) return;
    QTemporaryDir folder;
    QFile actualFile(folder.filePath(QLatin1StringView(name)));
    if (actualFile.open(QIODevice::WriteOnly)) actualFile.write(actual.toUtf8());
    actualFile.close();
    QProcess diff;
    diff.start(QStringLiteral("diff"), {QStringLiteral("-u"), golden, actualFile.fileName()});
    diff.waitForFinished();
    ADD_FAILURE() << "output differs from " << name << ":\n" << diff.readAllStandardOutput().toStdString();
}

class CorvaneCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        bus = std::make_unique<PrivateBus>(QStringLiteral(CORVANE_CLIENT_TEST_SERVICES));
        ASSERT_TRUE(bus->running());
    }
    Outcome corvane(const QStringList& arguments) { return runCorvane(arguments, bus->clientEnvironment()); }

    std::unique_ptr<PrivateBus> bus;
};

const QStringList kFixedWindow{QStringLiteral("--start"), QStringLiteral("2026-12-06 07:00:00"),
                               QStringLiteral("--end"), QStringLiteral("2026-12-06 07:05:00")};
const QStringList kQueryTags{QStringLiteral("TIC101.PV"), QStringLiteral("01PT200"), QStringLiteral("NO.SUCH.TAG")};

TEST_F(CorvaneCli, AQueryOverAFixedWindowPrintsItsSamplesAlignedOrAsCsv)
{
    const Outcome table = corvane(QStringList{QStringLiteral("query")} + kFixedWindow + kQueryTags);
    EXPECT_EQ(table.status, 0) << table.err.toStdString();
    expectGolden(table.out, "query.txt");

    const Outcome csv = corvane(QStringList{QStringLiteral("query"), QStringLiteral("--csv")} + kFixedWindow + kQueryTags);
    EXPECT_EQ(csv.status, 0) << csv.err.toStdString();
    expectGolden(csv.out, "query.csv");
}

TEST_F(CorvaneCli, TagsDefineAndWritePrintWhatTheServerHolds)
{
    const Outcome tags = corvane({QStringLiteral("tags"), QStringLiteral("TIC101.PV"), QStringLiteral("NOPE")});
    EXPECT_EQ(tags.status, 0);
    EXPECT_EQ(tags.out, QStringLiteral("Tag        Value  Confidence\n"
                                       "TIC101.PV   65.3         100\n"
                                       "NOPE        -999           0\n"));

    const Outcome define = corvane({QStringLiteral("define"), QStringLiteral("10PT101")});
    EXPECT_EQ(define.status, 0);
    EXPECT_EQ(define.out, QStringLiteral("Tag:           10PT101\n"
                                         "Description:   Description for 10PT101\n"
                                         "Units:         Bar\n"
                                         "Low extreme:   0\n"
                                         "High extreme:  100\n"));

    const Outcome write = corvane({QStringLiteral("write"), QStringLiteral("TIC101.PV"), QStringLiteral("-12.5"),
                               QStringLiteral("--confidence"), QStringLiteral("250")});
    EXPECT_EQ(write.status, 0);
    EXPECT_EQ(write.out, QStringLiteral("TIC101.PV = -12.5, confidence 100\n"));
}

TEST_F(CorvaneCli, FailuresOfTheServerExitWithOneAndTheAutomationCodeAndDescription)
{
    const Outcome write = corvane({QStringLiteral("write"), QStringLiteral("TIC101.PV"), QStringLiteral("abc")});
    EXPECT_EQ(write.status, 1);
    EXPECT_EQ(write.out, QString());
    EXPECT_EQ(write.err, QStringLiteral("corvane write: writing abc to TIC101.PV failed: error 0x800A000D: Type "
                                        "mismatch (CorvaneSim)\n"));

    const Outcome start = corvane({QStringLiteral("query"), QStringLiteral("--start"), QStringLiteral("now-60m"),
                               QStringLiteral("TIC101.PV")});
    EXPECT_EQ(start.status, 1);
    EXPECT_TRUE(start.err.contains(QStringLiteral("setting StartTime to \"now-60m\" failed: error 0x800A000D")));

    const Outcome backwards = corvane({QStringLiteral("query"), QStringLiteral("--start"), QStringLiteral("2026-12-06 07:00"),
                                   QStringLiteral("--end"), QStringLiteral("2026-12-06 06:00"), QStringLiteral("X")});
    EXPECT_EQ(backwards.status, 1);
    EXPECT_TRUE(backwards.err.contains(QStringLiteral("error 0x800A0009: Subscript out of range"))) << backwards.err.toStdString();
}

TEST_F(CorvaneCli, WrongUsageExitsWithTwoAndSaysWhy)
{
    const auto expectUsage = [this](const QStringList& arguments, const QString& message) {
        const Outcome run = corvane(arguments);
        EXPECT_EQ(run.status, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.err.contains(message)) << run.err.toStdString();
    };
    expectUsage({}, QStringLiteral("Usage: corvane COMMAND"));
    expectUsage({QStringLiteral("fetch")}, QStringLiteral("unknown command 'fetch'"));
    expectUsage({QStringLiteral("query")}, QStringLiteral("name at least one tag"));
    expectUsage({QStringLiteral("query"), QStringLiteral("--frequency"), QStringLiteral("often"), QStringLiteral("T")},
                QStringLiteral("--frequency wants whole seconds"));
    expectUsage({QStringLiteral("query"), QStringLiteral("--host")}, QStringLiteral("--host needs a value"));
    expectUsage({QStringLiteral("tags"), QStringLiteral("--colour"), QStringLiteral("T")},
                QStringLiteral("unknown option --colour"));
    expectUsage({QStringLiteral("write"), QStringLiteral("T")}, QStringLiteral("name one tag and one value"));
    expectUsage({QStringLiteral("define")}, QStringLiteral("name one tag"));
}

TEST_F(CorvaneCli, EveryCommandHasHelp)
{
    EXPECT_TRUE(corvane({QStringLiteral("--help")}).out.startsWith(QStringLiteral("Usage: corvane COMMAND")));
    for (const char* command : {"query", "write", "define", "tags", "operator"}) {
        const Outcome help = corvane({QLatin1StringView(command), QStringLiteral("--help")});
        EXPECT_EQ(help.status, 0);
        EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: corvane ") + QLatin1StringView(command))) << command;
    }
}

TEST(CorvaneCliWithoutEmulator, AnEmulatorThatCannotBeReachedExitsWithOneAndAHint)
{
    const QTemporaryDir noServices;
    PrivateBus bus(noServices.path());
    ASSERT_TRUE(bus.running());
    const Outcome unregistered = runCorvane({QStringLiteral("tags"), QStringLiteral("T")}, bus.clientEnvironment());
    EXPECT_EQ(unregistered.status, 1);
    EXPECT_TRUE(unregistered.err.contains(QStringLiteral("creating CorvaneSim.Data failed: error 0x80040154")));
    EXPECT_TRUE(unregistered.err.contains(QStringLiteral("corvanesim --regserver")));

    QProcessEnvironment noBus = bus.clientEnvironment();
    noBus.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent/bus"));
    const Outcome unreachable = runCorvane({QStringLiteral("tags"), QStringLiteral("T")}, noBus);
    EXPECT_EQ(unreachable.status, 1);
    EXPECT_TRUE(unreachable.err.contains(QStringLiteral("error 0x800706BA"))) << unreachable.err.toStdString();
}

}  // namespace

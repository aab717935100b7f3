// corvane operator: the operator's side of the emulator from a script, run as
// processes against the server on a private bus; and the example CI script.
#include "CorvaneProcess.h"
#include "PrivateBus.h"

#include "corvanesim/Connection.h"
#include "corvanesim/SimServer.h"

#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <memory>

namespace {

using corvane::client::test::Outcome;
using corvane::client::test::runCorvane;
using corvane::remoting::test::PrivateBus;

class CorvaneOperator : public ::testing::Test {
protected:
    void SetUp() override
    {
        bus = std::make_unique<PrivateBus>(QStringLiteral(CORVANE_CLIENT_TEST_SERVICES));
        ASSERT_TRUE(bus->running());
    }
    Outcome corvane(const QStringList& arguments) { return runCorvane(arguments, bus->clientEnvironment()); }
    Outcome operatorDoes(const QString& arguments) { return corvane(QStringList{QStringLiteral("operator")} + arguments.split(u' ')); }
    // Runs an action that prints nothing and expects it to succeed.
    void expectDone(const QString& arguments)
    {
        const Outcome run = operatorDoes(arguments);
        EXPECT_EQ(run.status, 0) << arguments.toStdString() << ": " << run.err.toStdString();
        EXPECT_EQ(run.out, QString()) << arguments.toStdString();
    }

    std::unique_ptr<PrivateBus> bus;
};

// Reads a process's output until it holds `text`, on the event loop.
bool readUntil(QProcess& process, QString& output, const QString& text)
{
    while (!output.contains(text)) {
        if (!process.waitForReadyRead(30000)) return false;
        output += QString::fromUtf8(process.readAllStandardOutput());
    }
    return true;
}

TEST_F(CorvaneOperator, SetsTheScenarioAndReadsTheWindowBack)
{
    expectDone(QStringLiteral("sine off"));
    expectDone(QStringLiteral("period 600"));
    expectDone(QStringLiteral("time-error 30"));
    ASSERT_EQ(corvane({QStringLiteral("write"), QStringLiteral("TIC101.PV"), QStringLiteral("42.5")}).status, 0);

    const Outcome log = operatorDoes(QStringLiteral("log"));
    EXPECT_EQ(log.status, 0);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d: TIC101\\.PV = 42\\.5\\n$")).match(log.out).hasMatch())
        << log.out.toStdString();

    expectDone(QStringLiteral("edit 1 2 55"));
    EXPECT_EQ(operatorDoes(QStringLiteral("grid")).out, QStringLiteral("Row  Tag        Value  Confidence\n"
                                                                        "  1  TIC101.PV  42.5   55\n"));
    EXPECT_EQ(operatorDoes(QStringLiteral("grid --csv")).out, QStringLiteral("Row,Tag,Value,Confidence\n"
                                                                              "1,TIC101.PV,42.5,55\n"));
    const QString labels = operatorDoes(QStringLiteral("labels")).out;
    for (const char* shown : {"\nchkSineWave +0\n", "\ntxtTimeError +30\n", "\ntxtPeriod +600\n"})
        EXPECT_TRUE(QRegularExpression(QLatin1StringView(shown)).match(labels).hasMatch()) << shown << labels.toStdString();

    expectDone(QStringLiteral("clear"));
    EXPECT_EQ(operatorDoes(QStringLiteral("log")).out, QString());
}

TEST_F(CorvaneOperator, FailuresExitWithOneAndWrongUsageWithTwo)
{
    const Outcome noCell = operatorDoes(QStringLiteral("edit 9 1 5"));
    EXPECT_EQ(noCell.status, 1);
    EXPECT_TRUE(noCell.err.startsWith(QStringLiteral("corvane operator: editing row 9, column 1 failed: row 9, column 1 is no cell")))
        << noCell.err.toStdString();

    const auto expectUsage = [this](const QString& arguments, const QString& message) {
        const Outcome run = operatorDoes(arguments);
        EXPECT_EQ(run.status, 2) << arguments.toStdString();
        EXPECT_TRUE(run.err.contains(message)) << run.err.toStdString();
    };
    expectUsage(QStringLiteral("sine maybe"), QStringLiteral("say on or off, not 'maybe'"));
    expectUsage(QStringLiteral("edit x 1 5"), QStringLiteral("ROW must be a whole number"));
    expectUsage(QStringLiteral("edit 1 1"), QStringLiteral("usage: corvane operator edit ROW COL TEXT"));
    expectUsage(QStringLiteral("undo"), QStringLiteral("unknown action 'undo'"));
}

TEST_F(CorvaneOperator, FollowingTheLogPrintsEachWriteUntilTheEmulatorEnds)
{
    ASSERT_EQ(corvane({QStringLiteral("write"), QStringLiteral("TIC101.PV"), QStringLiteral("1")}).status, 0);
    QProcess follower;
    follower.setProcessEnvironment(bus->clientEnvironment());
    follower.start(QStringLiteral(CORVANE_EXECUTABLE), {QStringLiteral("operator"), QStringLiteral("log"), QStringLiteral("--follow")});
    QString followed;
    ASSERT_TRUE(readUntil(follower, followed, QStringLiteral("TIC101.PV = 1\n")));
    ASSERT_EQ(corvane({QStringLiteral("write"), QStringLiteral("FIC101.PV"), QStringLiteral("2")}).status, 0);
    ASSERT_TRUE(readUntil(follower, followed, QStringLiteral("FIC101.PV = 2\n")));
    EXPECT_EQ(followed.count(u'\n'), 2);

    // Yes, given beforehand, goes before the tests' standing No: the emulator ends, and so does the follower.
    ASSERT_EQ(operatorDoes(QStringLiteral("answer-exit yes")).status, 0);
    corvane::client::SimServer::create(corvane::client::Connection::toBus(bus->address().toStdString()));
    ASSERT_TRUE(follower.waitForFinished(30000));
    EXPECT_EQ(follower.exitCode(), 0);
    EXPECT_TRUE(bus->waitForLog(QStringLiteral("exit question answered Yes, as asked on the operator interface")));
}

TEST_F(CorvaneOperator, TheExampleCiScriptPassesAgainstTheEmulator)
{
    QProcessEnvironment environment = bus->clientEnvironment();
    environment.insert(QStringLiteral("CORVANE"), QStringLiteral(CORVANE_EXECUTABLE));
    QProcess script;
    script.setProcessEnvironment(environment);
    script.start(QStringLiteral("sh"), {QStringLiteral(CORVANE_EXAMPLE_CI_SCRIPT)});
    ASSERT_TRUE(script.waitForFinished(120000));
    const QString out = QString::fromUtf8(script.readAllStandardOutput());
    const QString err = QString::fromUtf8(script.readAllStandardError());
    EXPECT_EQ(script.exitCode(), 0) << out.toStdString() << err.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("ci-check: the client wrote what it should"))) << out.toStdString();
}

}  // namespace

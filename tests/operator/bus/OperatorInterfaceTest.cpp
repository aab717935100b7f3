// The operator's interface on the bus as a contract: apart from the object
// model's, its calls checked like every other, the write log's signal, and
// the answers to the exit question.
#include "NameGone.h"
#include "OperatorBusFixture.h"
#include "ProcessExitWatch.h"

#include "corvanesim/SimServer.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QXmlStreamReader>

using namespace corvane;
using namespace corvane::operator_test;
using corvane::remoting::test::NameGone;

namespace {

// Collects the WriteLogGrown signals of the operator's path.
class WriteLogSignals final : public QObject {
    Q_OBJECT

public:
    explicit WriteLogSignals(QDBusConnection connection)
    {
        connection.connect(QStringLiteral("org.corvane.CorvaneSim"), QStringLiteral("/org/corvane/CorvaneSim/Operator"),
                           QStringLiteral("org.corvane.Operator1"), QStringLiteral("WriteLogGrown"), this,
                           SLOT(grown(QString, qulonglong)));
    }
    // Waits on the event loop until `count` signals have come.
    bool waitFor(qsizetype count)
    {
        QSignalSpy arrived(this, &WriteLogSignals::arrived);
        while (received.size() < count)
            if (!arrived.wait(10000)) return false;
        return true;
    }

    QList<QPair<QString, qulonglong>> received;

signals:
    void arrived();

private slots:
    void grown(const QString& added, qulonglong growths)
    {
        received.push_back({added, growths});
        emit arrived();
    }
};

using OperatorInterface = OperatorBusFixture;

const QRegularExpression kWriteLine(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d: TIC101\\.PV = 42\\.5\\r\\n$"));

TEST_F(OperatorInterface, IsNoPartOfWhatObjectModelClientsSee)
{
    const Session session = newSessionWith(u"TIC101.PV");
    const auto introspect = [this](const QString& path) {
        return operatorCall("Introspect", {}, "org.freedesktop.DBus.Introspectable", path.toLatin1().constData())
            .arguments()
            .value(0)
            .toString();
    };
    const QString root = introspect(QStringLiteral("/org/corvane/CorvaneSim"));
    const QString data = introspect(QString::fromStdString(session.data.object().path()));
    ASSERT_TRUE(root.contains(QStringLiteral("org.corvane.Automation1.ClassFactory")));
    ASSERT_TRUE(data.contains(QStringLiteral("org.corvane.Automation1.Dispatch")));
    for (const QString& node : {root, data}) EXPECT_FALSE(node.contains(QStringLiteral("Operator"))) << node.toStdString();

    const QString operatorNode = introspect(QStringLiteral("/org/corvane/CorvaneSim/Operator"));
    EXPECT_TRUE(operatorNode.contains(QStringLiteral("<interface name=\"org.corvane.Operator1\">")));
    EXPECT_TRUE(operatorNode.contains(QStringLiteral("<signal name=\"WriteLogGrown\">")));
    EXPECT_FALSE(operatorNode.contains(QStringLiteral("org.corvane.Automation1")));
}

TEST_F(OperatorInterface, TakesEveryMethodWithTheArgumentsItsIntrospectionNames)
{
    const QString xml = operatorCall("Introspect", {}, "org.freedesktop.DBus.Introspectable").arguments().value(0).toString();
    QXmlStreamReader reader(xml);
    QString interface;
    QStringList methods;
    QList<QVariantList> arguments;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement) continue;
        const auto attributes = reader.attributes();
        if (reader.name() == QLatin1StringView("interface")) interface = attributes.value("name").toString();
        if (interface != QLatin1StringView("org.corvane.Operator1")) continue;
        if (reader.name() == QLatin1StringView("method")) {
            methods << attributes.value("name").toString();
            arguments.push_back({});
        } else if (reader.name() == QLatin1StringView("arg") && attributes.value("direction") == QLatin1StringView("in")) {
            const QString type = attributes.value("type").toString();
            arguments.back() << (type == QLatin1StringView("b") ? QVariant(false)
                                 : type == QLatin1StringView("i") ? QVariant(1)
                                                                  : QVariant(QStringLiteral("1")));
        }
    }
    ASSERT_EQ(methods.size(), 12);
    newSessionWith(u"TIC101.PV");
    for (qsizetype i = 0; i < methods.size(); ++i) {
        const QDBusMessage reply = operatorCall(methods[i].toLatin1().constData(), arguments[i]);
        EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << methods[i].toStdString() << ": " << reply.errorMessage().toStdString();
    }
}

TEST_F(OperatorInterface, RefusesCallsItCannotTakeAndChangesNothing)
{
    newSessionWith(u"TIC101.PV");
    const auto errorOf = [](const QDBusMessage& reply) { return reply.errorName().toStdString(); };
    EXPECT_EQ(errorOf(operatorCall("SetSineWave", {QStringLiteral("off")})), "org.freedesktop.DBus.Error.InvalidArgs");
    const QDBusMessage noCell = operatorCall("EditCell", {2, 1, QStringLiteral("5")});
    EXPECT_EQ(errorOf(noCell), "org.freedesktop.DBus.Error.InvalidArgs");
    EXPECT_TRUE(noCell.errorMessage().contains(QStringLiteral("row 2, column 1"))) << noCell.errorMessage().toStdString();
    EXPECT_EQ(errorOf(operatorCall("Exit")), "org.freedesktop.DBus.Error.UnknownMethod");
    EXPECT_EQ(errorOf(operatorCall("Invoke", {0, 1}, "org.corvane.Automation1.Dispatch")),
              "org.freedesktop.DBus.Error.UnknownMethod");

    const auto rows = controls->gridRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1], (std::vector<std::string>{"TIC101.PV", "65.3", "100"}));
}

TEST_F(OperatorInterface, EachClientWriteGrowsTheLogByALineSignalledToThoseWhoWatchIt)
{
    const QDBusConnection other = QDBusConnection::connectToBus(bus->address(), QStringLiteral("bystander"));
    WriteLogSignals bystander(other);  // listens, but never asks to watch
    WriteLogSignals watcher(operatorConnection);
    const Session session = newSessionWith(u"TIC101.PV");
    session.tag.put0(automation::Variant(42.5));

    const QDBusMessage watched = operatorCall("WatchWriteLog");
    EXPECT_TRUE(kWriteLine.match(watched.arguments().value(0).toString()).hasMatch());
    EXPECT_EQ(watched.arguments().value(1).toULongLong(), 1u);
    session.tag.put0(automation::Variant(42.5));
    session.tag.put0(automation::Variant(42.5));
    ASSERT_TRUE(watcher.waitFor(2));
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(kWriteLine.match(watcher.received[i].first).hasMatch()) << watcher.received[i].first.toStdString();
        EXPECT_EQ(watcher.received[i].second, qulonglong(i + 2));
    }

    // No longer watching, a write is signalled to nobody.
    operatorCall("UnwatchWriteLog");
    session.tag.put0(automation::Variant(1));
    operatorCall("WatchWriteLog");
    session.tag.put0(automation::Variant(2));
    ASSERT_TRUE(watcher.waitFor(3));
    EXPECT_TRUE(watcher.received[2].first.endsWith(QStringLiteral(" = 2\r\n")));
    EXPECT_EQ(watcher.received[2].second, 5u);
    EXPECT_TRUE(bystander.received.isEmpty());
    QDBusConnection::disconnectFromBus(other.name());

    // Clear empties the log without counting as growth.
    controls->clearWriteLog();
    const QDBusMessage cleared = operatorCall("WriteLog");
    EXPECT_EQ(cleared.arguments().value(0).toString(), QString());
    EXPECT_EQ(cleared.arguments().value(1).toULongLong(), 5u);
}

TEST_F(OperatorInterface, AnAnswerGivenBeforehandAnswersTheNextExitQuestionOnly)
{
    newSessionWith(u"TIC101.PV");
    const quint32 pid = bus->ownerPid(QStringLiteral("org.corvane.CorvaneSim"));
    controls->answerExit(false);
    client::SimServer::create(*client);  // released at once: the question comes
    ASSERT_TRUE(bus->waitForLog(QStringLiteral("exit question answered No, as asked on the operator interface")));

    // The next question waits for the operator, and serving goes on meanwhile.
    client::SimServer::create(*client);
    ASSERT_TRUE(bus->waitForLog(QStringLiteral("the exit question waits for an answer")));
    EXPECT_EQ(controls->gridRows().size(), 2u);
    EXPECT_EQ(bus->ownerPid(QStringLiteral("org.corvane.CorvaneSim")), pid);

    // Yes to the open question ends the server, once the answer's reply has left.
    NameGone gone(operatorConnection);
    const QDBusMessage reply = operatorCall("AnswerExit", {true});
    EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    EXPECT_TRUE(gone.wait());
    EXPECT_TRUE(remoting::test::waitForProcessEnd(pid_t(pid)));
}

// The end-to-end tests' servers answer every exit question No by themselves.
class OperatorInterfaceBesideTheTestsAnswer : public OperatorBusFixture {
protected:
    OperatorInterfaceBesideTheTestsAnswer() : OperatorBusFixture(CORVANE_STANDING_NO_SERVICES) {}
};

TEST_F(OperatorInterfaceBesideTheTestsAnswer, AnAnswerGivenOnTheInterfaceGoesFirst)
{
    newSessionWith(u"TIC101.PV");
    const quint32 pid = bus->ownerPid(QStringLiteral("org.corvane.CorvaneSim"));
    NameGone gone(operatorConnection);
    controls->answerExit(true);
    client::SimServer::create(*client);
    EXPECT_TRUE(gone.wait());
    EXPECT_TRUE(remoting::test::waitForProcessEnd(pid_t(pid)));
    EXPECT_TRUE(bus->waitForLog(QStringLiteral("exit question answered Yes, as asked on the operator interface")));
    EXPECT_FALSE(bus->log().contains(QStringLiteral("test hook")));
}

}  // namespace

#include "OperatorInterfaceTest.moc"

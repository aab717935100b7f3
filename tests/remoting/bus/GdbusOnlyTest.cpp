// The contract is plain D-Bus: gdbus alone, one process per call, drives the
// server through a session. Each gdbus leaves the bus after its call, which
// releases its references; the session's objects live on, held by the server.
#include "BusFixture.h"

#include <QProcess>
#include <QRegularExpression>

using namespace corvane::remoting::test;

namespace {

using GdbusOnly = BusFixture;

class Gdbus {
public:
    explicit Gdbus(const QString& address) : address_(address) {}

    QString call(const QString& path, const QString& method, const QStringList& arguments = {})
    {
        QProcess gdbus;
        gdbus.start(QStringLiteral("gdbus"), QStringList{QStringLiteral("call"), QStringLiteral("--address"), address_,
                                                         QStringLiteral("--dest"), QStringLiteral("org.corvane.CorvaneSim"),
                                                         QStringLiteral("--object-path"), path, QStringLiteral("--method"),
                                                         method} + arguments);
        if (!gdbus.waitForFinished(60000)) return QStringLiteral("(gdbus did not finish)");
        return QString::fromUtf8(gdbus.readAllStandardOutput() + gdbus.readAllStandardError()).trimmed();
    }

private:
    QString address_;
};

QString pathIn(const QString& reply)
{
    return QRegularExpression(QStringLiteral("/org/corvane/CorvaneSim/\\w+/[0-9a-f]{32}")).match(reply).captured();
}

TEST_F(GdbusOnly, DrivesASessionWithGdbusAlone)
{
    Gdbus gdbus(bus->address());
    const QString created = gdbus.call(QStringLiteral("/org/corvane/CorvaneSim"),
                                       QStringLiteral("org.corvane.Automation1.ClassFactory.CreateInstance"),
                                       {QStringLiteral("CorvaneSim.Data")});
    ASSERT_TRUE(created.startsWith(QStringLiteral("(0, objectpath '/org/corvane/CorvaneSim/Data/"))) << created.toStdString();
    const QString data = pathIn(created);

    const QString invoke = QStringLiteral("org.corvane.Automation1.Dispatch.Invoke");
    const QString tags = pathIn(gdbus.call(data, invoke, {QStringLiteral("0x68030007"), QStringLiteral("2"),
                                                         QStringLiteral("[]"), QStringLiteral("[]")}));
    ASSERT_FALSE(tags.isEmpty());

    const QString added = gdbus.call(tags, invoke, {QStringLiteral("0x60030002"), QStringLiteral("1"),
                                                    QStringLiteral("[(8, <'TIC101.PV'>)]"), QStringLiteral("[]")});
    EXPECT_TRUE(added.startsWith(QStringLiteral("(0, (uint16 9, <objectpath '/org/corvane/CorvaneSim/Tag/")))
        << added.toStdString();

    EXPECT_EQ(gdbus.call(tags, invoke, {QStringLiteral("0x68030000"), QStringLiteral("2"), QStringLiteral("[]"),
                                        QStringLiteral("[]")}),
              QStringLiteral("(0, (uint16 3, <1>), @a(qv) [], (0, '', ''), uint32 0)"));
    EXPECT_EQ(gdbus.call(tags, QStringLiteral("org.corvane.Automation1.Dispatch.GetIDsOfNames"), {QStringLiteral("['COUNT']")}),
              QStringLiteral("(0, [1745027072])"));
    EXPECT_EQ(gdbus.call(tags, invoke, {QStringLiteral("0"), QStringLiteral("3"), QStringLiteral("[(3, <5>)]"),
                                        QStringLiteral("[]")}),
              QStringLiteral("(-2147352567, (uint16 0, <''>), [(uint16 3, <5>)], (-2146828279, 'CorvaneSim', "
                             "'Subscript out of range'), uint32 0)"));
}

}  // namespace

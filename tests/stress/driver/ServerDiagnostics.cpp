#include "ServerDiagnostics.h"

#include "remoting/common/BusContract.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFile>
#include <QStringList>
#include <QVariantMap>

#include <stdexcept>

namespace corvane::stress {

namespace contract = remoting::contract;

namespace {

const char kHookPath[] = "/org/corvane/CorvaneSimTestDiagnostics";
const char kHookInterface[] = "org.corvane.CorvaneSim.TestDiagnostics";

QDBusMessage checked(const QDBusMessage& reply, const char* member, int arguments)
{
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != arguments)
        throw std::runtime_error(std::string("the server's test hook did not answer ") + member + ": " +
                                 reply.errorName().toStdString() + " " + reply.errorMessage().toStdString() +
                                 " (is CORVANESIM_TEST_DIAGNOSTICS=1 in the service file?)");
    return reply;
}

}  // namespace

QString exportedText(const Census& census)
{
    QStringList parts;
    for (const auto& [kind, count] : census.exportedByClass) parts.push_back(QStringLiteral("%1 %2").arg(kind).arg(count));
    return parts.isEmpty() ? QStringLiteral("none") : parts.join(QStringLiteral(", "));
}

ServerDiagnostics::ServerDiagnostics(QDBusConnection connection) : connection_(std::move(connection)) {}

QDBusMessage ServerDiagnostics::callHook(const char* member)
{
    return connection_.call(QDBusMessage::createMethodCall(QLatin1StringView(contract::kServiceName),
                                                           QLatin1StringView(kHookPath),
                                                           QLatin1StringView(kHookInterface), QLatin1StringView(member)));
}

Census ServerDiagnostics::census()
{
    const QList<QVariant> out = checked(callHook("Census"), "Census", 5).arguments();
    Census census;
    census.clients = out[0].toUInt();
    census.clientReferences = out[1].toULongLong();
    census.objectReferences = out[2].toULongLong();
    const QVariantMap byClass = qdbus_cast<QVariantMap>(out[3]);
    for (auto it = byClass.begin(); it != byClass.end(); ++it) census.exportedByClass[it.key()] = it.value().toUInt();
    census.heldByRegistryAlone = out[4].toUInt();
    return census;
}

std::uint64_t ServerDiagnostics::heapInUse()
{
    return checked(callHook("HeapInUse"), "HeapInUse", 1).arguments().front().toULongLong();
}

std::uint64_t ServerDiagnostics::callsServed()
{
    return checked(callHook("CallsServed"), "CallsServed", 1).arguments().front().toULongLong();
}

void ServerDiagnostics::clearWriteLog() { checked(callHook("ClearWriteLog"), "ClearWriteLog", 0); }

void ServerDiagnostics::introspectRoot()
{
    const QDBusMessage reply = connection_.call(QDBusMessage::createMethodCall(
        QLatin1StringView(contract::kServiceName), QLatin1StringView(contract::kRootPath),
        QStringLiteral("org.freedesktop.DBus.Introspectable"), QStringLiteral("Introspect")));
    checked(reply, "Introspect", 1);
}

std::uint32_t ServerDiagnostics::serverPid()
{
    const QDBusReply<uint> pid = connection_.interface()->servicePid(QLatin1StringView(contract::kServiceName));
    return pid.isValid() ? pid.value() : 0;
}

std::uint64_t residentKiB(std::uint32_t pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').front().toULongLong();
    return 0;
}

}  // namespace corvane::stress

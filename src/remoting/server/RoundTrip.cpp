#include "RoundTrip.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>

namespace corvane::remoting {

namespace {

QDBusMessage roundTripOn(const QDBusConnection& connection)
{
    // A peer has no bus name; libdbus answers Peer.Ping on any connection by itself.
    const bool peer = connection.baseService().isEmpty();
    return QDBusMessage::createMethodCall(peer ? QString() : QStringLiteral("org.freedesktop.DBus"),
                                          peer ? QStringLiteral("/") : QStringLiteral("/org/freedesktop/DBus"),
                                          QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping"));
}

}  // namespace

void afterSentMessagesLeave(const QDBusConnection& connection, QObject* context, std::function<void()> then)
{
    auto* watcher = new QDBusPendingCallWatcher(connection.asyncCall(roundTripOn(connection)), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context, [watcher, then = std::move(then)] {
        watcher->deleteLater();
        then();
    });
}

}  // namespace corvane::remoting

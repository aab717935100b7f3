#include "RoundTrip.h"

#include "BusConnection.h"

#include <QPointer>

namespace corvane::remoting {

void afterSentMessagesLeave(BusConnection& connection, QObject* context, std::function<void()> then)
{
    // A peer has no bus name; the library at its end answers Peer.Ping by itself.
    BusMessage ping = connection.isPeer()
                          ? connection.newMethodCall(nullptr, "/", "org.freedesktop.DBus.Peer", "Ping")
                          : connection.newMethodCall("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                                     "org.freedesktop.DBus.Peer", "Ping");
    const QPointer<QObject> guard(context);
    auto continuation = [guard, then](BusMessage&) {
        if (guard) then();
    };
    if (!connection.callThen(ping, continuation)) {
        // Gone already: nothing of ours is left to leave.
        QMetaObject::invokeMethod(context, [guard, then] { if (guard) then(); }, Qt::QueuedConnection);
    }
}

}  // namespace corvane::remoting

#pragma once

#include <QDBusConnection>

#include <functional>

class QObject;

namespace corvane::remoting {

// Calls `then` once the messages sent so far on `connection` have left this
// process. Qt D-Bus sends from a thread of its own, so a reply handed to it
// may not yet be written; a round trip on the same connection, queued behind
// the reply, proves that it is: to the bus, which keeps the reply for the
// client even if this process ends, or to the peer of a direct connection,
// which has read it by then. An error (the bus or the peer gone) calls `then`
// too. Nothing is called once `context` is gone.
void afterSentMessagesLeave(const QDBusConnection& connection, QObject* context, std::function<void()> then);

}  // namespace corvane::remoting

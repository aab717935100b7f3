#pragma once

#include <QObject>

#include <functional>

namespace corvane::remoting {

class BusConnection;

// Runs `then` once every message sent on `connection` so far has left this
// process: after a round trip to the bus (or to the peer of a direct
// connection), which answers only after reading all that came before. An
// error (the bus or the peer gone) runs `then` too. Nothing runs once
// `context` is gone.
void afterSentMessagesLeave(BusConnection& connection, QObject* context, std::function<void()> then);

}  // namespace corvane::remoting

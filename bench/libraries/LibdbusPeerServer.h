#pragma once

#include <dbus/dbus.h>

namespace corvane::bench {

// In a forked child: accepts the first peer that connects to `server`,
// answers its calls with `answer` (a libdbus message filter) until it goes,
// then ends the child.
[[noreturn]] void serveOnePeer(DBusServer* server, DBusHandleMessageFunction answer);

// Fills `reply` with Tags.Count's reply, i 0, (q 3, v i 3), a(qv) [],
// (i 0, s "", s ""), u 0, as every libdbus echo sends it.
void appendTagsCountReply(DBusMessage* reply);

}  // namespace corvane::bench

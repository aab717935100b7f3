#pragma once

#include <dbus/dbus.h>

namespace corvane::bench {

// In a forked child: accepts the first peer that connects to `server`,
// answers its calls with `answer` (a libdbus message filter) until it goes,
// then ends the child.
[[noreturn]] void serveOnePeer(DBusServer* server, DBusHandleMessageFunction answer);

}  // namespace corvane::bench

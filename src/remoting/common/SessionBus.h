#pragma once

typedef struct sd_bus sd_bus;

namespace corvane::remoting {

// Connects to the message bus at `address` as a bus client, or to the user's
// session bus when there is no address, and waits for the bus's answer to
// Hello, so that a connection that is returned has a bus behind it. Returns
// the connection, or null with the negative errno in `error`.
sd_bus* connectToSessionBus(const char* address, int& error);

}  // namespace corvane::remoting

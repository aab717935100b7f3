#pragma once

#include <systemd/sd-bus.h>

#include <cstdint>

namespace corvane::remoting {

// Sends `call` on `bus` and blocks until its reply, as sd_bus_call does and
// with the same results: >= 0 with the reply in `reply`, or a negative errno
// with the error reply in `error` (or the failure's errno, named as sd-bus
// names it: Timeout, Disconnected). sd_bus_call reads the socket once before
// it first waits, which for a call just sent always finds nothing; this waits
// first, and so spares a system call on every round trip. Nothing else may be
// reading `bus` meanwhile; other messages that arrive are processed as
// sd_bus_process does.
int callBlocking(sd_bus* bus, sd_bus_message* call, std::uint64_t timeoutMicroseconds, sd_bus_error* error,
                 sd_bus_message** reply);

}  // namespace corvane::remoting

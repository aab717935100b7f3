#pragma once

#include "CallReply.h"

#include <QString>

namespace corvane::client {

// How the client's calls reach the server: a method call out, its reply (or
// error) back, on the calling thread. The session bus is one transport; a
// direct connection to the server is another.
class Transport {
public:
    virtual ~Transport() = default;

    // A method call to fill in with arguments; `destination` empty on a direct connection.
    virtual remoting::BusMessage newCall(const QString& destination, const QString& path, const char* interface,
                                         const char* member) = 0;
    // Sends `call` and waits up to `timeoutMs` for its reply; a failure of the
    // transport comes back as an error, never as an exception.
    virtual CallReply call(remoting::BusMessage& call, int timeoutMs) = 0;
    // Where calls go before the server is known: its well-known name on a
    // bus, empty on a direct connection.
    virtual QString serviceName() const = 0;
};

}  // namespace corvane::client

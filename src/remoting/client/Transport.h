#pragma once

#include <QDBusMessage>
#include <QString>

namespace corvane::client {

// How the client's calls reach the server: a method call out, its reply (or
// error reply) back. The session bus is one transport; a direct connection to
// the server would be another.
class Transport {
public:
    virtual ~Transport() = default;

    // Sends `call` and waits up to `timeoutMs` for its reply; a failure of the
    // transport comes back as an error reply, never as an exception.
    virtual QDBusMessage call(const QDBusMessage& call, int timeoutMs) = 0;
    // Where calls go before the server is known: its well-known name on a
    // bus, empty on a direct connection.
    virtual QString serviceName() const = 0;
};

}  // namespace corvane::client

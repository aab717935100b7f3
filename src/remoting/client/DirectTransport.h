#pragma once

#include "Transport.h"

#include <QDBusConnection>

#include <memory>

namespace corvane::client {

// Calls over a direct connection to the server: its own socket, without the
// bus daemon in between. The bus stays the way in: it starts the server and
// tells where the socket is. On the socket this client is a client of its
// own, whose references go when the connection does.
class DirectTransport final : public Transport {
public:
    // Asks the server on `bus` (starting it if need be) for its socket and
    // connects to it; throws RemoteError when it cannot.
    static std::unique_ptr<DirectTransport> through(const QDBusConnection& bus);
    ~DirectTransport() override;
    DirectTransport(const DirectTransport&) = delete;
    DirectTransport& operator=(const DirectTransport&) = delete;

    QDBusMessage call(const QDBusMessage& call, int timeoutMs) override;
    // Empty: on a peer connection there is nobody else to address.
    QString serviceName() const override;

private:
    explicit DirectTransport(QDBusConnection peer) : peer_(std::move(peer)) {}

    QDBusConnection peer_;
};

}  // namespace corvane::client

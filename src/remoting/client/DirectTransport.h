#pragma once

#include "BlockingBus.h"
#include "Transport.h"

#include <memory>

namespace corvane::client {

// Calls over a direct connection to the server: its own socket, without the
// bus daemon in between. The bus stays the way in: it starts the server and
// tells where the socket is. On the socket this client is a client of its
// own, whose references go when the connection does.
class DirectTransport final : public Transport {
public:
    // Asks the server through `bus` (starting it if need be) for its socket
    // and connects to it; throws RemoteError when it cannot.
    static std::unique_ptr<DirectTransport> through(Transport& bus);

    remoting::BusMessage newCall(const QString& destination, const QString& path, const char* interface,
                                 const char* member) override;
    CallReply call(remoting::BusMessage& call, int timeoutMs) override;
    // Empty: on a peer connection there is nobody else to address.
    QString serviceName() const override;

private:
    explicit DirectTransport(std::unique_ptr<BlockingBus> peer) : peer_(std::move(peer)) {}

    std::unique_ptr<BlockingBus> peer_;
};

}  // namespace corvane::client

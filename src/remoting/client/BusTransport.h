#pragma once

#include "BlockingBus.h"
#include "Transport.h"

#include <memory>
#include <string>

namespace corvane::client {

// Calls over a bus, addressed to the server's well-known name until the
// server is known; a connection of its own (its own unique name, so its own
// references).
class BusTransport final : public Transport {
public:
    // Throw RemoteError (server unavailable) when there is no such bus.
    static std::unique_ptr<BusTransport> toSessionBus();
    static std::unique_ptr<BusTransport> toAddress(const std::string& address);

    remoting::BusMessage newCall(const QString& destination, const QString& path, const char* interface,
                                 const char* member) override;
    CallReply call(remoting::BusMessage& call, int timeoutMs) override;
    QString serviceName() const override;

private:
    explicit BusTransport(std::unique_ptr<BlockingBus> bus) : bus_(std::move(bus)) {}

    std::unique_ptr<BlockingBus> bus_;
};

}  // namespace corvane::client

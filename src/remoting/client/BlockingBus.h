#pragma once

#include "CallReply.h"

#include <QString>

#include <memory>
#include <string>

struct sd_bus;

namespace corvane::client {

// One connection of the library's own, to a bus or to the server's socket,
// on which calls block the calling thread until their reply: no thread of the
// library's and no event loop needed.
class BlockingBus {
public:
    enum class Kind { Bus, Peer };

    // Throws RemoteError (server unavailable) when there is nothing at `address`.
    static std::unique_ptr<BlockingBus> open(const std::string& address, Kind kind);
    // The user's session bus.
    static std::unique_ptr<BlockingBus> sessionBus();
    ~BlockingBus();
    BlockingBus(const BlockingBus&) = delete;
    BlockingBus& operator=(const BlockingBus&) = delete;

    remoting::BusMessage newCall(const QString& destination, const QString& path, const char* interface,
                                 const char* member);
    CallReply call(remoting::BusMessage& call, int timeoutMs);

private:
    explicit BlockingBus(sd_bus* bus) : bus_(bus) {}

    sd_bus* bus_;
};

}  // namespace corvane::client

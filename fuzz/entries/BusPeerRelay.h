#pragma once

#include "remoting/common/BusMessage.h"

#include <cstdint>
#include <functional>
#include <vector>

struct sd_bus;

namespace corvane::fuzz {

// A client and a server connection of sd-bus, peer to peer as on the
// server's direct socket, both in this process on one thread. Their bytes
// pass through a relay between two socket pairs, which sees each message
// whole and may change its body on the way: the server's sd-bus then
// receives and checks it exactly as it would a hostile client's.
class BusPeerRelay {
public:
    // Changes a message's body in transit; may resize it.
    using Tamper = std::function<void(std::vector<std::uint8_t>& body)>;

    BusPeerRelay();
    ~BusPeerRelay();
    BusPeerRelay(const BusPeerRelay&) = delete;
    BusPeerRelay& operator=(const BusPeerRelay&) = delete;

    // Both ends authenticated and running.
    bool ready() const { return ready_ && !broken_; }

    // A call to `path` on the client's side, for no reply.
    remoting::BusMessage newCall(const char* path, const char* interface, const char* member);

    // Sends `call` from the client through the relay (through `tamper` if
    // given) and gives it as the server's connection handed it over, read
    // from the start; an empty message when the server's sd-bus refused it
    // on arrival. When the server's sd-bus gives up the connection altogether,
    // ready() turns false.
    remoting::BusMessage carry(remoting::BusMessage call, const Tamper& tamper = {});

    // The body of the last call carried, as the server's sd-bus received it.
    const std::vector<std::uint8_t>& lastBody() const { return lastBody_; }

private:
    // One round of moving bytes and letting both ends work; false when
    // nothing moved.
    bool pump(remoting::BusMessage* arrived, bool* sentinel);
    bool relayClientBytes();
    bool relayServerBytes();
    bool writePending();
    void forward(const Tamper* tamper);

    sd_bus* client_ = nullptr;
    sd_bus* server_ = nullptr;
    int clientFar_ = -1;  // the relay's ends of the two socket pairs
    int serverFar_ = -1;
    bool ready_ = false;
    bool broken_ = false;
    std::vector<std::uint8_t> fromClient_;  // bytes read, not yet a whole message
    std::vector<std::uint8_t> toServer_;    // bytes the server's socket has not taken yet
    bool awaitingCall_ = false;             // the next whole message is carry()'s call
    const Tamper* tamper_ = nullptr;
    std::vector<std::uint8_t> lastBody_;
};

}  // namespace corvane::fuzz

#pragma once

#include "remoting/common/BusMessage.h"

struct sd_bus;

namespace corvane::remoting::test {

// Messages made on a started connection with nobody at the far end, sealed
// and read back as they would arrive: the codec's reading and writing
// without a peer.
class MessageLoopback {
public:
    MessageLoopback();
    ~MessageLoopback();
    MessageLoopback(const MessageLoopback&) = delete;
    MessageLoopback& operator=(const MessageLoopback&) = delete;

    bool ready() const { return bus_ != nullptr; }
    // A method call to write arguments into.
    BusMessage call();
    // `message` sealed and rewound to its first argument.
    BusMessage arrived(BusMessage message);

private:
    sd_bus* bus_ = nullptr;
    int farEnd_ = -1;
};

}  // namespace corvane::remoting::test

#include "MessageLoopback.h"

#include <systemd/sd-bus.h>

#include <sys/socket.h>
#include <unistd.h>

namespace corvane::remoting::test {

MessageLoopback::MessageLoopback()
{
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return;
    farEnd_ = ends[1];
    if (sd_bus_new(&bus_) < 0 || sd_bus_set_fd(bus_, ends[0], ends[0]) < 0 || sd_bus_start(bus_) < 0) {
        bus_ = sd_bus_unref(bus_);
        ::close(ends[0]);
    }
}

MessageLoopback::~MessageLoopback()
{
    sd_bus_close_unref(bus_);
    if (farEnd_ >= 0) ::close(farEnd_);
}

BusMessage MessageLoopback::call()
{
    sd_bus_message* message = nullptr;
    sd_bus_message_new_method_call(bus_, &message, nullptr, "/fake", "org.corvane.Test", "Carry");
    return BusMessage::adopt(message);
}

BusMessage MessageLoopback::arrived(BusMessage message)
{
    static std::uint64_t cookie = 0;
    sd_bus_message_seal(message.get(), ++cookie, 0);
    message.rewind();
    return message;
}

}  // namespace corvane::remoting::test

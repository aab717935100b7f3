#include "SdBusCaller.h"

#include "remoting/common/BlockingCall.h"

#include <systemd/sd-bus.h>

#include <cstdint>

namespace corvane::bench {

SdBusCaller::SdBusCaller(const std::string& address, Kind kind)
{
    if (sd_bus_new(&bus_) < 0) return;
    if (sd_bus_set_address(bus_, address.c_str()) < 0 || sd_bus_set_bus_client(bus_, kind == Kind::Bus) < 0
        || sd_bus_start(bus_) < 0)
        bus_ = sd_bus_close_unref(bus_);
}

SdBusCaller::~SdBusCaller() { sd_bus_flush_close_unref(bus_); }

bool SdBusCaller::tagsCount(const std::string& destination, const std::string& path)
{
    sd_bus_message* call = nullptr;
    sd_bus_message* reply = nullptr;
    sd_bus_message_new_method_call(bus_, &call, destination.empty() ? nullptr : destination.c_str(), path.c_str(),
                                   "org.corvane.Automation1.Dispatch", "Invoke");
    sd_bus_message_append(call, "iqa(qv)ai", 0x68030000, 2, 0, 0);
    const int sent = corvane::remoting::callBlocking(bus_, call, 10'000'000, nullptr, &reply);
    sd_bus_message_unref(call);
    if (sent < 0) return false;
    std::int32_t code = -1, count = -1;
    std::uint16_t vt = 0;
    const int read = sd_bus_message_read(reply, "i(qv)", &code, &vt, "i", &count);
    sd_bus_message_unref(reply);
    return read > 0 && code == 0 && vt == 3;
}

}  // namespace corvane::bench

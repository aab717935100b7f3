#include "remoting/common/SessionBus.h"

#include <systemd/sd-bus.h>

namespace corvane::remoting {

sd_bus* connectToSessionBus(const char* address, int& error)
{
    sd_bus* bus = nullptr;
    int result = 0;
    if (address != nullptr && *address != '\0') {
        result = sd_bus_new(&bus);
        if (result >= 0) result = sd_bus_set_address(bus, address);
        if (result >= 0) result = sd_bus_set_bus_client(bus, 1);
        if (result >= 0) result = sd_bus_start(bus);
    } else {
        result = sd_bus_open_user(&bus);
    }
    // The unique name comes with the bus's answer to Hello: the bus is there.
    const char* unique = nullptr;
    if (result >= 0) result = sd_bus_get_unique_name(bus, &unique);
    if (result < 0) {
        sd_bus_close_unref(bus);
        error = result;
        return nullptr;
    }
    error = 0;
    return bus;
}

}  // namespace corvane::remoting

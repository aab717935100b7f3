#pragma once

#include "ObjectRef.h"

#include <memory>
#include <string>
#include <string_view>

namespace corvane::client {

class RemoteCalls;
class Transport;

// One client of the server: a connection of its own, so references are
// counted for it alone, and every object from it stays bound to the server
// process that made it (a server that ends is reported as disconnected, never
// silently replaced). Copies share the connection. Use a connection from one
// thread at a time.
class Connection {
public:
    // How calls travel. The bus is always the way in: it starts the server.
    enum class Route {
        Bus,     // every call through the bus daemon
        Direct,  // through the server's own socket, which the bus tells of:
                 // the same calls and objects, without the daemon in between
    };

    // The user's session bus, where the service file starts the server.
    static Connection sessionBus(Route route = Route::Bus);
    // The bus at `address` (a D-Bus address such as unix:path=/run/bus).
    static Connection toBus(const std::string& address, Route route = Route::Bus);
    // Calls travel over `transport`.
    explicit Connection(std::unique_ptr<Transport> transport);

    // A new object of a creatable class, by ProgID ("CorvaneSim.Data",
    // letter case ignored) or class identifier in braces.
    ObjectRef create(std::string_view classId) const;

private:
    std::shared_ptr<RemoteCalls> calls_;
};

}  // namespace corvane::client

#pragma once

namespace corvane {
class ServerProcess;
}

namespace corvane::remoting {

class ObjectRegistry;

// What the handlers of the bus calls share.
struct ServerContext {
    ServerProcess& process;
    ObjectRegistry& registry;
};

}  // namespace corvane::remoting

#include "corvanesim/Connection.h"

#include "BusTransport.h"
#include "DirectTransport.h"
#include "RemoteCalls.h"
#include "RemoteObject.h"

#include "corvanesim/Text.h"

namespace corvane::client {

namespace {

std::unique_ptr<Transport> routed(std::unique_ptr<BusTransport> bus, Connection::Route route)
{
    if (route == Connection::Route::Bus) return bus;
    // The bus connection has done its part once the socket is known.
    return DirectTransport::through(*bus);
}

}  // namespace

Connection Connection::sessionBus(Route route) { return Connection(routed(BusTransport::toSessionBus(), route)); }

Connection Connection::toBus(const std::string& address, Route route)
{
    return Connection(routed(BusTransport::toAddress(address), route));
}

Connection::Connection(std::unique_ptr<Transport> transport) : calls_(std::make_shared<RemoteCalls>(std::move(transport)))
{
}

ObjectRef Connection::create(std::string_view classId) const { return ObjectRef(calls_->createInstance(fromUtf8(classId))); }

}  // namespace corvane::client

#include "corvanesim/Connection.h"

#include "BusTransport.h"
#include "RemoteCalls.h"
#include "RemoteObject.h"

#include "corvanesim/Text.h"

namespace corvane::client {

Connection Connection::sessionBus() { return Connection(BusTransport::toSessionBus()); }

Connection Connection::toBus(const std::string& address)
{
    return Connection(BusTransport::toAddress(QString::fromStdString(address)));
}

Connection::Connection(std::unique_ptr<Transport> transport) : calls_(std::make_shared<RemoteCalls>(std::move(transport)))
{
}

ObjectRef Connection::create(std::string_view classId) const { return ObjectRef(calls_->createInstance(fromUtf8(classId))); }

}  // namespace corvane::client

#include "BusTransport.h"

#include "remoting/common/BusContract.h"

namespace corvane::client {

std::unique_ptr<BusTransport> BusTransport::toSessionBus()
{
    return std::unique_ptr<BusTransport>(new BusTransport(BlockingBus::sessionBus()));
}

std::unique_ptr<BusTransport> BusTransport::toAddress(const std::string& address)
{
    return std::unique_ptr<BusTransport>(new BusTransport(BlockingBus::open(address, BlockingBus::Kind::Bus)));
}

remoting::BusMessage BusTransport::newCall(const QString& destination, const QString& path, const char* interface,
                                           const char* member)
{
    return bus_->newCall(destination, path, interface, member);
}

CallReply BusTransport::call(remoting::BusMessage& call, int timeoutMs) { return bus_->call(call, timeoutMs); }

QString BusTransport::serviceName() const { return QString::fromLatin1(remoting::contract::kServiceName); }

}  // namespace corvane::client

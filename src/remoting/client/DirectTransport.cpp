#include "DirectTransport.h"

#include "ErrorReplies.h"
#include "RemoteCalls.h"

#include "remoting/common/BusContract.h"
#include "remoting/common/WireFormatError.h"

namespace corvane::client {

namespace contract = remoting::contract;

std::unique_ptr<DirectTransport> DirectTransport::through(Transport& bus)
{
    remoting::BusMessage ask = bus.newCall(bus.serviceName(), QString::fromLatin1(contract::kRootPath),
                                           contract::kDirectConnectionInterface, "Address");
    CallReply answer = bus.call(ask, RemoteCalls::kCallTimeoutMs);
    if (!answer.succeeded()) throw errors::fromErrorReply(answer, errors::Call::Create);
    if (answer.message.signature() != "s")
        throw errors::unreadableReply(QStringLiteral("the server's address came as \"%1\"")
                                          .arg(QString::fromUtf8(answer.message.signature().data(),
                                                                 qsizetype(answer.message.signature().size()))));
    std::string address;
    try {
        address = std::string(answer.message.readText());
    } catch (const remoting::WireFormatError& error) {
        throw errors::unreadableReply(error.message());
    }
    return std::unique_ptr<DirectTransport>(new DirectTransport(BlockingBus::open(address, BlockingBus::Kind::Peer)));
}

remoting::BusMessage DirectTransport::newCall(const QString& destination, const QString& path, const char* interface,
                                              const char* member)
{
    return peer_->newCall(destination, path, interface, member);
}

CallReply DirectTransport::call(remoting::BusMessage& call, int timeoutMs) { return peer_->call(call, timeoutMs); }

QString DirectTransport::serviceName() const { return {}; }

}  // namespace corvane::client

#include "RemoteObject.h"

#include "RemoteCalls.h"

namespace corvane::client {

RemoteObject::RemoteObject(std::shared_ptr<RemoteCalls> calls, QString server, QString path, std::u16string interfaceName)
    : calls_(std::move(calls)), server_(std::move(server)), path_(std::move(path)), interfaceName_(std::move(interfaceName))
{
}

RemoteObject::~RemoteObject() { calls_->release(*this); }

}  // namespace corvane::client

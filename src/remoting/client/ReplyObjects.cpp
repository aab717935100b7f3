#include "ReplyObjects.h"

#include "RemoteObject.h"

#include "remoting/common/WireFormatError.h"

namespace corvane::client {

QString ReplyObjects::pathOf(automation::Object& object)
{
    const auto* remote = dynamic_cast<RemoteObject*>(&object);
    if (!remote || remote->sharedCalls() != calls_)
        throw remoting::WireFormatError(QStringLiteral("only an object of this connection can be passed to the server"));
    if (remote->server() != server_)
        throw remoting::WireFormatError(QStringLiteral("an object of one server process cannot be passed to another"));
    return remote->path();
}

automation::Ref<automation::Object> ReplyObjects::objectAt(const QString& path)
{
    return automation::Ref<automation::Object>(new RemoteObject(calls_, server_, path));
}

}  // namespace corvane::client

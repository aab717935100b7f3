#include "ObjectCalls.h"

#include "BusCall.h"
#include "ObjectRegistry.h"

namespace corvane::remoting {

void ObjectCalls::addRef(BusCall& call, automation::Object& object)
{
    if (!call.expectSignature("")) return;
    BusMessage reply = call.newReply();
    reply.appendUInt32(registry_.addReference(call.caller(), object));
    call.send(reply);
}

void ObjectCalls::release(BusCall& call)
{
    if (!call.expectSignature("")) return;
    BusMessage reply = call.newReply();
    reply.appendUInt32(registry_.release(call.caller(), call.path()));
    call.send(reply);
}

}  // namespace corvane::remoting

#include "ObjectCalls.h"

#include "BusCall.h"
#include "ObjectRegistry.h"

namespace corvane::remoting {

void ObjectCalls::addRef(BusCall& call, automation::Object& object)
{
    if (!call.expectSignature("")) return;
    call.reply({registry_.addReference(call.caller(), object)});
}

void ObjectCalls::release(BusCall& call)
{
    if (!call.expectSignature("")) return;
    call.reply({registry_.release(call.caller(), call.path())});
}

}  // namespace corvane::remoting

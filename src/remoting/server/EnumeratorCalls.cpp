#include "EnumeratorCalls.h"

#include "BusCall.h"
#include "ObjectRegistry.h"
#include "ReplyObjects.h"

#include "automation/Enumerator.h"
#include "remoting/common/BusContract.h"
#include "remoting/common/BusValueWriter.h"
#include "remoting/common/WireBudget.h"

namespace corvane::remoting {

void EnumeratorCalls::next(BusCall& call, automation::Enumerator& enumerator)
{
    if (!call.expectSignature(contract::kCountSignature)) return;
    const std::vector<automation::Variant> items = enumerator.Next(call.arguments().readUInt32());
    WireBudget budget;
    ReplyObjects handedOut(registry_);
    BusMessage reply = call.newReply();
    BusValueWriter(handedOut, budget).writeList(reply, items);
    handedOut.addReferencesFor(call.caller());
    call.send(reply);
}

void EnumeratorCalls::skip(BusCall& call, automation::Enumerator& enumerator)
{
    if (!call.expectSignature(contract::kCountSignature)) return;
    BusMessage reply = call.newReply();
    reply.appendBool(enumerator.Skip(call.arguments().readUInt32()));
    call.send(reply);
}

void EnumeratorCalls::reset(BusCall& call, automation::Enumerator& enumerator)
{
    if (!call.expectSignature("")) return;
    enumerator.Reset();
    call.reply();
}

void EnumeratorCalls::clone(BusCall& call, automation::Enumerator& enumerator)
{
    if (!call.expectSignature("")) return;
    const automation::Ref<automation::Enumerator> copy = enumerator.Clone();
    const QString path = registry_.pathOf(*copy);
    registry_.addReference(call.caller(), *copy);
    BusMessage reply = call.newReply();
    reply.appendText(path.toLatin1().constData(), 'o');
    call.send(reply);
}

}  // namespace corvane::remoting

#include "EnumeratorCalls.h"

#include "BusCall.h"
#include "ObjectRegistry.h"
#include "ReplyObjects.h"

#include "automation/Enumerator.h"
#include "remoting/common/BusContract.h"
#include "remoting/common/ValueEncoder.h"
#include "remoting/common/WireBudget.h"

#include <QDBusObjectPath>

namespace corvane::remoting {

void EnumeratorCalls::next(BusCall& call, automation::Enumerator& enumerator)
{
    if (!call.expectSignature(contract::kCountSignature)) return;
    const std::vector<automation::Variant> items = enumerator.Next(call.argument(0).toUInt());
    WireBudget budget;
    ReplyObjects handedOut(registry_);
    const QVariant encoded = ValueEncoder(handedOut, budget).encodedList(items);
    handedOut.addReferencesFor(call.caller());
    call.reply({encoded});
}

void EnumeratorCalls::skip(BusCall& call, automation::Enumerator& enumerator)
{
    if (!call.expectSignature(contract::kCountSignature)) return;
    call.reply({enumerator.Skip(call.argument(0).toUInt())});
}

void EnumeratorCalls::reset(BusCall& call, automation::Enumerator& enumerator)
{
    if (!call.expectSignature("")) return;
    enumerator.Reset();
    call.reply({});
}

void EnumeratorCalls::clone(BusCall& call, automation::Enumerator& enumerator)
{
    if (!call.expectSignature("")) return;
    const automation::Ref<automation::Enumerator> copy = enumerator.Clone();
    const QString path = registry_.pathOf(*copy);
    registry_.addReference(call.caller(), *copy);
    call.reply({QVariant::fromValue(QDBusObjectPath(path))});
}

}  // namespace corvane::remoting

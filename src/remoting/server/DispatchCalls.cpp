#include "DispatchCalls.h"

#include "BusCall.h"
#include "ObjectRegistry.h"
#include "ReplyObjects.h"

#include "automation/Dispatcher.h"
#include "automation/HResult.h"
#include "remoting/common/BusContract.h"
#include "remoting/common/ErrorInfo.h"
#include "remoting/common/TypeInfoWire.h"
#include "remoting/common/ValueDecoder.h"
#include "remoting/common/ValueEncoder.h"
#include "remoting/common/WireBudget.h"
#include "remoting/common/WireFormatError.h"
#include "remoting/common/WireText.h"
#include "remoting/common/WireValueFrame.h"
#include "server/ServerProcess.h"

#include <QDBusArgument>
#include <QStringList>

#include <deque>
#include <vector>

namespace corvane::remoting {

using automation::DispatchObject;
using automation::DispId;
using automation::Variant;
namespace dispatch = automation::dispatch;
namespace hresult = automation::hresult;

namespace {

std::vector<DispId> identifiers(const QVariant& argument)
{
    QList<int> ids;
    if (argument.metaType() == QMetaType::fromType<QDBusArgument>()) {
        argument.value<QDBusArgument>() >> ids;
    } else {
        ids = argument.value<QList<int>>();
    }
    return std::vector<DispId>(ids.begin(), ids.end());
}

WireMember wireMember(const automation::MemberDescription& member)
{
    WireMember wire;
    wire.name = toQString(member.name);
    wire.id = member.id;
    wire.kind = automation::invokeFlagOf(member.kind);
    for (const automation::ParamDescription& param : member.params) {
        wire.params.push_back({toQString(param.name), automation::code(param.type.type),
                               toQString(param.type.interfaceName), param.byRef, param.optional});
    }
    wire.resultType = automation::code(member.result.type);
    wire.resultInterface = toQString(member.result.interfaceName);
    wire.flags = (member.hidden ? contract::kMemberHidden : 0) | (member.defaultMember ? contract::kMemberDefault : 0)
                 | (member.enumerator ? contract::kMemberEnumerator : 0);
    return wire;
}

}  // namespace

void DispatchCalls::getIDsOfNames(BusCall& call, DispatchObject& target)
{
    if (!call.expectSignature(contract::kGetIDsOfNamesSignature)) return;
    const QStringList names = call.argument(0).toStringList();
    if (names.isEmpty()) {
        call.failInvalidArgs(QStringLiteral("GetIDsOfNames needs at least the member's name"));
        return;
    }
    std::vector<std::u16string> texts;
    texts.reserve(std::size_t(names.size()));
    for (const QString& name : names) texts.push_back(toU16(name));
    std::vector<DispId> ids;
    const std::int32_t result = dispatch::getIDsOfNames(target.dispatchBinding().description, texts, ids);
    call.reply({result, QVariant::fromValue(QList<int>(ids.begin(), ids.end()))});
}

void DispatchCalls::invoke(BusCall& call, DispatchObject& target)
{
    if (!call.expectSignature(contract::kInvokeSignature)) return;
    const DispId id = call.argument(0).toInt();
    const auto flags = call.argument(1).value<quint16>();
    std::deque<Variant> referenced;
    ValueDecoder decoder(context_.registry, referenced);
    const std::vector<Variant> sent = decoder.decodeList(call.argument(2).value<QDBusArgument>());
    const std::vector<DispId> namedIds = identifiers(call.argument(3));
    if (namedIds.size() > sent.size()) {
        call.failInvalidArgs(QStringLiteral("%1 named arguments but only %2 arguments").arg(namedIds.size()).arg(sent.size()));
        return;
    }

    // The dispatcher works on a copy, so that arguments passed by value come
    // back exactly as sent; references share their targets with `sent`.
    std::vector<Variant> arguments = sent;
    const automation::InvokeOutcome outcome =
        dispatch::invoke(target, id, flags, arguments, namedIds, context_.process.regional);
    const bool succeeded = !hresult::failed(outcome.hresult);

    // Objects in the result and in the new values of references are handed to
    // the caller, but only by a call that succeeded.
    WireBudget budget;
    ReplyObjects handedOut(context_.registry);
    ObjectPathMap& newValues = succeeded ? static_cast<ObjectPathMap&>(handedOut) : context_.registry;
    ValueEncoder returning(newValues, budget);
    ValueEncoder echoing(context_.registry, budget);

    QList<WireValueFrame> returned;
    returned.reserve(qsizetype(sent.size()));
    for (const Variant& argument : sent) returned.push_back((argument.isByRef() ? returning : echoing).frameOf(argument));
    const QVariant result = returning.encoded(succeeded ? outcome.result : Variant());

    ErrorInfo exception;
    if (outcome.hresult == hresult::kException) {
        exception = {outcome.exception.code, toQString(outcome.exception.source),
                     toQString(outcome.exception.description)};
    }
    if (succeeded) handedOut.addReferencesFor(call.caller());
    call.reply({outcome.hresult, result, ValueEncoder::list(returned), encoded(exception), quint32(outcome.argErr)});
}

void DispatchCalls::getTypeInfo(BusCall& call, DispatchObject& target)
{
    if (!call.expectSignature("")) return;
    registerTypeInfoTypes();
    const automation::InterfaceDescription& description = target.dispatchBinding().description;
    QList<WireMember> members;
    for (const automation::MemberDescription& member : description.members) members.push_back(wireMember(member));
    const QString iid = QLatin1Char('{') + toQString(description.iid.text) + QLatin1Char('}');
    call.reply({toQString(description.name), iid, QVariant::fromValue(members)});
}

}  // namespace corvane::remoting

#include "DispatchCalls.h"

#include "BusCall.h"
#include "ObjectRegistry.h"
#include "ReplyObjects.h"

#include "automation/Dispatcher.h"
#include "automation/HResult.h"
#include "remoting/common/BusContract.h"
#include "remoting/common/BusValueReader.h"
#include "remoting/common/BusValueWriter.h"
#include "remoting/common/ErrorInfo.h"
#include "remoting/common/WireBudget.h"
#include "remoting/common/WireFormatError.h"
#include "remoting/common/WireText.h"
#include "server/ServerProcess.h"

#include <deque>
#include <vector>

namespace corvane::remoting {

using automation::DispatchObject;
using automation::DispId;
using automation::Variant;
namespace dispatch = automation::dispatch;
namespace hresult = automation::hresult;

namespace {

std::vector<DispId> identifiers(BusMessage& in)
{
    const std::span<const std::int32_t> ids = in.readFixedArray<std::int32_t>('i');
    return std::vector<DispId>(ids.begin(), ids.end());
}

std::u16string text(std::string_view utf8) { return toU16(fromWireUtf8(utf8)); }

// Names from the type library: plain text, which the bus carries as it is.
void appendName(BusMessage& out, std::u16string_view name) { out.appendText(toQString(name).toUtf8().constData()); }

void writeMember(BusMessage& out, const automation::MemberDescription& member)
{
    out.open('r', "siqa(sqsbb)qsq");
    appendName(out, member.name);
    out.appendInt32(member.id);
    out.appendUInt16(automation::invokeFlagOf(member.kind));
    out.open('a', "(sqsbb)");
    for (const automation::ParamDescription& param : member.params) {
        out.open('r', "sqsbb");
        appendName(out, param.name);
        out.appendUInt16(automation::code(param.type.type));
        appendName(out, param.type.interfaceName);
        out.appendBool(param.byRef);
        out.appendBool(param.optional);
        out.close();
    }
    out.close();
    out.appendUInt16(automation::code(member.result.type));
    appendName(out, member.result.interfaceName);
    out.appendUInt16((member.hidden ? contract::kMemberHidden : 0) | (member.defaultMember ? contract::kMemberDefault : 0)
                     | (member.enumerator ? contract::kMemberEnumerator : 0));
    out.close();
}

}  // namespace

void DispatchCalls::getIDsOfNames(BusCall& call, DispatchObject& target)
{
    if (!call.expectSignature(contract::kGetIDsOfNamesSignature)) return;
    std::vector<std::u16string> names;
    BusMessage& in = call.arguments();
    in.enter('a', "s");
    while (!in.atEnd()) names.push_back(text(in.readText()));
    in.exit();
    if (names.empty()) {
        call.failInvalidArgs(QStringLiteral("GetIDsOfNames needs at least the member's name"));
        return;
    }
    std::vector<DispId> ids;
    const std::int32_t result = dispatch::getIDsOfNames(target.dispatchBinding().description, names, ids);
    BusMessage reply = call.newReply();
    reply.appendInt32(result);
    reply.appendFixedArray('i', ids.data(), ids.size() * sizeof(DispId));
    call.send(reply);
}

void DispatchCalls::invoke(BusCall& call, DispatchObject& target)
{
    if (!call.expectSignature(contract::kInvokeSignature)) return;
    BusMessage& in = call.arguments();
    const DispId id = in.readInt32();
    const std::uint16_t flags = in.readUInt16();
    std::deque<Variant> referenced;
    const std::vector<Variant> sent = BusValueReader(context_.registry, referenced).readList(in);
    const std::vector<DispId> namedIds = identifiers(in);
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
    BusValueWriter returning(newValues, budget);
    BusValueWriter echoing(context_.registry, budget);

    BusMessage reply = call.newReply();
    reply.appendInt32(outcome.hresult);
    returning.write(reply, succeeded ? outcome.result : Variant());
    reply.open('a', "(qv)");
    for (const Variant& argument : sent) (argument.isByRef() ? returning : echoing).write(reply, argument);
    reply.close();
    ErrorInfo exception;
    if (outcome.hresult == hresult::kException) {
        exception = {outcome.exception.code, toQString(outcome.exception.source),
                     toQString(outcome.exception.description)};
    }
    write(reply, exception);
    reply.appendUInt32(std::uint32_t(outcome.argErr));
    if (succeeded) handedOut.addReferencesFor(call.caller());
    call.send(reply);
}

void DispatchCalls::getTypeInfo(BusCall& call, DispatchObject& target)
{
    if (!call.expectSignature("")) return;
    const automation::InterfaceDescription& description = target.dispatchBinding().description;
    BusMessage reply = call.newReply();
    appendName(reply, description.name);
    reply.appendText(("{" + toQString(description.iid.text) + "}").toUtf8().constData());
    reply.open('a', "(siqa(sqsbb)qsq)");
    for (const automation::MemberDescription& member : description.members) writeMember(reply, member);
    reply.close();
    call.send(reply);
}

}  // namespace corvane::remoting

#include "InvokeCall.h"

#include "ErrorReplies.h"
#include "ReplyObjects.h"

#include "remoting/common/BusValueReader.h"
#include "remoting/common/BusValueWriter.h"
#include "remoting/common/ErrorInfo.h"
#include "remoting/common/WireBudget.h"
#include "remoting/common/WireFormatError.h"
#include "remoting/common/WireText.h"
#include "typelib/TypeLibrary.h"

#include "corvanesim/MemberOf.h"

#include "automation/HResult.h"

#include <deque>
#include <optional>

namespace corvane::client {

using automation::Variant;
using remoting::BusMessage;
namespace ah = automation::hresult;

InvokeCall::InvokeCall(ReplyObjects& objects, automation::DispId id, std::uint16_t flags,
                       const std::vector<Variant>& args)
    : objects_(objects), id_(id), flags_(flags), args_(args)
{
}

void InvokeCall::write(BusMessage& call) const
{
    remoting::WireBudget budget;
    try {
        call.appendInt32(id_);
        call.appendUInt16(flags_);
        remoting::BusValueWriter(objects_, budget).writeList(call, args_);
        const bool put = (flags_ & (automation::kInvokePropertyPut | automation::kInvokePropertyPutRef)) != 0;
        const std::int32_t named[] = {automation::kDispIdPropertyPut};
        call.appendFixedArray('i', named, put && !args_.empty() ? sizeof named : 0);
    } catch (const remoting::WireFormatError& error) {
        throw errors::unsendableArgument(error.message());
    }
}

Variant InvokeCall::finish(BusMessage& reply)
{
    if (reply.signature() != "i(qv)a(qv)(iss)u")
        throw errors::unreadableReply(QStringLiteral("Invoke answered with signature \"%1\"")
                                          .arg(QString::fromUtf8(reply.signature().data(), qsizetype(reply.signature().size()))));
    try {
        const std::int32_t code = reply.readInt32();
        if (ah::failed(code)) raiseFailure(code, reply);
        std::deque<Variant> unused;
        Variant result = remoting::BusValueReader(objects_, unused).read(reply);
        writeBack(reply);
        return result;
    } catch (const remoting::WireFormatError& error) {
        throw errors::unreadableReply(error.message());
    }
}

void InvokeCall::raiseFailure(std::int32_t code, BusMessage& reply)
{
    reply.skip("(qv)a(qv)");
    const remoting::ErrorInfo info = remoting::readErrorInfo(reply);
    const std::uint32_t argErr = reply.readUInt32();
    if (code == ah::kException) {
        const std::int32_t reported = info.code != 0 ? info.code : code;
        throw RemoteError(reported,
                          info.description.isEmpty() ? errors::describe(reported) : remoting::toU16(info.description),
                          remoting::toU16(info.source));
    }
    std::optional<unsigned> argument;
    if (code == ah::kTypeMismatch || code == ah::kOverflow || code == ah::kParamNotFound) argument = argErr;
    throw RemoteError(code, errors::describe(code), u"", argument);
}

void InvokeCall::writeBack(BusMessage& reply)
{
    std::deque<Variant> targets;
    remoting::BusValueReader decoder(objects_, targets);
    std::vector<std::optional<Variant>> written(args_.size());
    std::size_t i = 0;
    reply.enter('a', "(qv)");
    for (; !reply.atEnd(); ++i) {
        if (i >= args_.size()) throw remoting::WireFormatError(QStringLiteral("more arguments came back than went"));
        if (!args_[i].isByRef()) {
            reply.skip("(qv)");
            continue;
        }
        const Variant returned = decoder.read(reply);
        // The caller's Variant keeps the type its reference promised.
        if (returned.vt() != args_[i].vt())
            throw remoting::WireFormatError(QStringLiteral("a reference came back as type 0x%1").arg(returned.vt(), 0, 16));
        written[i] = returned.target();
    }
    reply.exit();
    if (i != args_.size()) throw remoting::WireFormatError(QStringLiteral("fewer arguments came back than went"));
    for (std::size_t k = 0; k < args_.size(); ++k)
        if (written[k]) args_[k].target() = std::move(*written[k]);
}

std::u16string_view InvokeCall::resultInterface(std::u16string_view interfaceName, automation::DispId id,
                                                std::uint16_t flags)
{
    for (const automation::TypeDescription& type : typelib::library().types) {
        if (!type.interface || type.interface->name != interfaceName) continue;
        for (const automation::MemberDescription& member : type.interface->members)
            if (member.id == id && (automation::invokeFlagOf(member.kind) & flags) != 0 &&
                member.result.type == automation::VarType::Dispatch)
                return member.result.interfaceName;
    }
    return {};
}

}  // namespace corvane::client

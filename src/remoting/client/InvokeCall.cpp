#include "InvokeCall.h"

#include "ErrorReplies.h"
#include "ReplyObjects.h"

#include "remoting/common/ErrorInfo.h"
#include "remoting/common/ValueDecoder.h"
#include "remoting/common/ValueEncoder.h"
#include "remoting/common/WireBudget.h"
#include "remoting/common/WireFormatError.h"
#include "remoting/common/WireText.h"
#include "typelib/TypeLibrary.h"

#include "corvanesim/MemberOf.h"

#include "automation/HResult.h"

#include <QDBusArgument>

#include <deque>
#include <optional>

namespace corvane::client {

using automation::Variant;
namespace ah = automation::hresult;

InvokeCall::InvokeCall(ReplyObjects& objects, automation::DispId id, std::uint16_t flags,
                       const std::vector<Variant>& args)
    : objects_(objects), args_(args)
{
    remoting::WireBudget budget;
    remoting::ValueEncoder encoder(objects, budget);
    QList<remoting::WireValueFrame> frames;
    try {
        for (const Variant& arg : args) frames.push_back(encoder.frameOf(arg));
    } catch (const remoting::WireFormatError& error) {
        throw errors::unsendableArgument(error.message());
    }
    QList<int> named;
    const bool put = (flags & (automation::kInvokePropertyPut | automation::kInvokePropertyPutRef)) != 0;
    if (put && !args.empty()) named.push_back(automation::kDispIdPropertyPut);
    arguments_ = {id, QVariant::fromValue<quint16>(flags), remoting::ValueEncoder::list(frames), QVariant::fromValue(named)};
}

Variant InvokeCall::finish(const QDBusMessage& reply)
{
    if (reply.signature() != QLatin1StringView("i(qv)a(qv)(iss)u"))
        throw errors::unreadableReply(QStringLiteral("Invoke answered with signature \"%1\"").arg(reply.signature()));
    const QVariantList out = reply.arguments();
    const std::int32_t code = out.at(0).toInt();
    if (ah::failed(code)) raiseFailure(code, out);
    try {
        std::deque<Variant> unused;
        Variant result = remoting::ValueDecoder(objects_, unused).decode(out.at(1).value<QDBusArgument>());
        writeBack(out.at(2));
        return result;
    } catch (const remoting::WireFormatError& error) {
        throw errors::unreadableReply(error.message());
    }
}

void InvokeCall::raiseFailure(std::int32_t code, const QVariantList& out)
{
    if (code == ah::kException) {
        remoting::ErrorInfo info;
        try {
            info = remoting::decodeErrorInfo(out.at(3));
        } catch (const remoting::WireFormatError& error) {
            throw errors::unreadableReply(error.message());
        }
        const std::int32_t reported = info.code != 0 ? info.code : code;
        throw RemoteError(reported,
                          info.description.isEmpty() ? errors::describe(reported) : remoting::toU16(info.description),
                          remoting::toU16(info.source));
    }
    std::optional<unsigned> argument;
    if (code == ah::kTypeMismatch || code == ah::kOverflow || code == ah::kParamNotFound) argument = out.at(4).toUInt();
    throw RemoteError(code, errors::describe(code), u"", argument);
}

void InvokeCall::writeBack(const QVariant& returnedArgs)
{
    const QDBusArgument list = returnedArgs.value<QDBusArgument>();
    std::deque<Variant> targets;
    remoting::ValueDecoder decoder(objects_, targets);
    std::vector<std::optional<Variant>> written(args_.size());
    std::size_t i = 0;
    list.beginArray();
    try {
        for (; !list.atEnd(); ++i) {
            if (i >= args_.size()) throw remoting::WireFormatError(QStringLiteral("more arguments came back than went"));
            if (!args_[i].isByRef()) {
                remoting::WireValueFrame sentByValue;
                list >> sentByValue;
                continue;
            }
            const Variant returned = decoder.decode(list);
            // The caller's Variant keeps the type its reference promised.
            if (returned.vt() != args_[i].vt())
                throw remoting::WireFormatError(QStringLiteral("a reference came back as type 0x%1").arg(returned.vt(), 0, 16));
            written[i] = returned.target();
        }
    } catch (...) {
        list.endArray();
        throw;
    }
    list.endArray();
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

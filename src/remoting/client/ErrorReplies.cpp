#include "ErrorReplies.h"

#include "remoting/common/WireText.h"

#include "automation/AutomationError.h"
#include "automation/HResult.h"

namespace corvane::client::errors {

namespace ah = automation::hresult;

std::u16string describe(std::int32_t code)
{
    if ((static_cast<std::uint32_t>(code) & 0xFFFF0000u) == static_cast<std::uint32_t>(ah::kMemberErrorBase))
        return automation::standardDescription(int(code & 0xFFFF));
    switch (code) {
    case ah::kMemberNotFound: return u"Member not found.";
    case ah::kParamNotFound: return u"Parameter not found.";
    case ah::kTypeMismatch: return u"Type mismatch.";
    case ah::kUnknownName: return u"Unknown name.";
    case ah::kNoNamedArgs: return u"No named arguments.";
    case ah::kBadVarType: return u"Bad variable type.";
    case ah::kOverflow: return u"Out of present range.";
    case ah::kBadIndex: return u"Invalid index.";
    case ah::kBadParamCount: return u"Invalid number of parameters.";
    case ah::kParamNotOptional: return u"Parameter not optional.";
    case ah::kNoInterface: return u"No such interface supported.";
    case ah::kOutOfMemory: return u"Not enough memory.";
    case hresult::kDisconnected: return u"The object invoked has disconnected from its clients.";
    case hresult::kClassNotRegistered: return u"Class not registered.";
    case hresult::kServerExecutionFailed: return u"Server execution failed.";
    case hresult::kInvalidArgument: return u"The parameter is incorrect.";
    case hresult::kUnexpected: return u"Catastrophic failure.";
    default: return u"Unspecified error.";
    }
}

RemoteError fromErrorReply(const CallReply& reply, Call call)
{
    const QString name = reply.errorName;
    const auto is = [&name](const char* suffix) { return name == QLatin1StringView("org.freedesktop.DBus.Error.") + QLatin1StringView(suffix); };
    const auto withDetail = [&reply](std::int32_t code) {
        return RemoteError(code, describe(code) + u" " + remoting::toU16(reply.errorMessage));
    };

    const bool nobodyServes = is("ServiceUnknown") || is("NameHasNoOwner");
    if (call == Call::Create && nobodyServes) return withDetail(hresult::kClassNotRegistered);
    if (call == Call::Create && name.startsWith(QLatin1StringView("org.freedesktop.DBus.Error.Spawn.")))
        return withDetail(hresult::kServerExecutionFailed);
    if (nobodyServes || is("NoReply") || is("UnknownObject") || is("Disconnected") || is("Timeout") ||
        is("TimedOut"))
        return withDetail(hresult::kDisconnected);
    if (is("InvalidArgs")) return withDetail(hresult::kInvalidArgument);
    if (is("LimitsExceeded")) return withDetail(ah::kOutOfMemory);
    return RemoteError(ah::kFail, remoting::toU16(name + QStringLiteral(": ") + reply.errorMessage));
}

RemoteError unreadableReply(const QString& why)
{
    return RemoteError(hresult::kUnexpected, u"The server's reply cannot be read: " + remoting::toU16(why));
}

RemoteError unsendableArgument(const QString& why)
{
    return RemoteError(hresult::kInvalidArgument, u"An argument cannot be sent: " + remoting::toU16(why));
}

}  // namespace corvane::client::errors

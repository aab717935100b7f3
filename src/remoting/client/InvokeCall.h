#pragma once

#include "automation/TypeInfo.h"
#include "automation/Variant.h"

#include "remoting/common/BusMessage.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace corvane::client {

class ReplyObjects;

// One Dispatch.Invoke: the arguments as they travel, and what the reply makes
// of them. Arguments sent by value come back as sent and are not read again;
// by-reference ones are written back into the caller's Variants, and only
// once the whole reply has been read, so that a reply that cannot be read
// changes nothing.
class InvokeCall {
public:
    // Throws RemoteError (invalid argument) for an argument the bus cannot carry.
    InvokeCall(ReplyObjects& objects, automation::DispId id, std::uint16_t flags,
               const std::vector<automation::Variant>& args);

    // Writes id, flags, arguments and named identifiers (a put's value is the
    // named -3); throws RemoteError (invalid argument) for an argument the
    // bus cannot carry.
    void write(remoting::BusMessage& call) const;

    // The result of a successful reply; a failure throws RemoteError with the
    // member's error, or the dispatch rule's code and the refused argument.
    automation::Variant finish(remoting::BusMessage& reply);

    // The interface of the object that a member returns, by the type library.
    static std::u16string_view resultInterface(std::u16string_view interfaceName, automation::DispId id,
                                               std::uint16_t flags);

private:
    [[noreturn]] static void raiseFailure(std::int32_t code, remoting::BusMessage& reply);
    void writeBack(remoting::BusMessage& reply);

    ReplyObjects& objects_;
    automation::DispId id_;
    std::uint16_t flags_;
    const std::vector<automation::Variant>& args_;
};

}  // namespace corvane::client

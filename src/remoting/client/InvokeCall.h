#pragma once

#include "automation/TypeInfo.h"
#include "automation/Variant.h"

#include <QDBusMessage>
#include <QVariantList>

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

    // id, flags, arguments and named identifiers (a put's value is the named -3).
    const QVariantList& arguments() const { return arguments_; }

    // The result of a successful reply; a failure throws RemoteError with the
    // member's error, or the dispatch rule's code and the refused argument.
    automation::Variant finish(const QDBusMessage& reply);

    // The interface of the object that a member returns, by the type library.
    static std::u16string_view resultInterface(std::u16string_view interfaceName, automation::DispId id,
                                               std::uint16_t flags);

private:
    [[noreturn]] static void raiseFailure(std::int32_t code, const QVariantList& out);
    void writeBack(const QVariant& returnedArgs);

    ReplyObjects& objects_;
    const std::vector<automation::Variant>& args_;
    QVariantList arguments_;
};

}  // namespace corvane::client

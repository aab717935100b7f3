#pragma once

#include "corvanesim/RemoteError.h"

#include "CallReply.h"

#include <QString>

#include <cstdint>
#include <string>

namespace corvane::client {

// What failed calls become for the caller.
namespace errors {

// The standard description of a result code ("Member not found." for
// 0x80020003, "Subscript out of range" for 0x800A0009), or a general one.
std::u16string describe(std::int32_t code);

// An error reply of the transport. The server gone, the bus having lost its
// connection or the object's path no longer answering is "disconnected";
// while creating, a service that nothing provides is "class not registered"
// and one that the bus could not start is "server execution failed".
enum class Call { Create, OnObject };
RemoteError fromErrorReply(const CallReply& reply, Call call);

// A reply that does not follow the contract.
RemoteError unreadableReply(const QString& why);
// An argument that cannot travel (a text holding a NUL, say).
RemoteError unsendableArgument(const QString& why);

}  // namespace errors
}  // namespace corvane::client

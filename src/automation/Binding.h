#pragma once

#include "DispatchObject.h"
#include "TypeInfo.h"

#include <span>
#include <string_view>
#include <vector>

namespace corvane::automation {

// The code of one member, named as the interface description names it.
struct NamedHandler {
    std::u16string_view name;
    MemberKind kind;
    MemberHandler handler;
};

// The handlers in the order of the interface's members. Throws
// std::logic_error when a member has no handler or a handler names no
// member, so that a binding cannot drift from the description unnoticed.
std::vector<MemberHandler> bindByName(const InterfaceDescription& interface, std::span<const NamedHandler> handlers);

}  // namespace corvane::automation

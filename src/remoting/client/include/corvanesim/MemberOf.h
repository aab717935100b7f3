#pragma once

#include "automation/TypeInfo.h"

#include <cstdint>
#include <string_view>

namespace corvane::client {

// A member as Invoke addresses it: its dispatch identifier and invoke flag.
struct Member {
    automation::DispId id;
    std::uint16_t flags;
};

// The member `name` of kind `kind` in an interface of the type library, found
// while compiling: a name or kind that the library does not have is no
// constant, so a misspelt member fails to compile instead of drifting.
consteval Member memberOf(const automation::InterfaceDescription& interface, std::u16string_view name,
                          automation::MemberKind kind)
{
    for (const automation::MemberDescription& member : interface.members)
        if (member.name == name && member.kind == kind) return {member.id, automation::invokeFlagOf(kind)};
    throw "the type library has no such member";
}

}  // namespace corvane::client

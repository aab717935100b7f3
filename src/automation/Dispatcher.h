#pragma once

#include "DispatchObject.h"
#include "RegionalSettings.h"
#include "TypeInfo.h"
#include "Variant.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace corvane::automation {

// What a member raised: its result code, source and description.
struct ExceptionInfo {
    std::int32_t code = 0;
    std::u16string source;
    std::u16string description;
};

struct InvokeOutcome {
    std::int32_t hresult = 0;
    Variant result;
    ExceptionInfo exception;   // filled when hresult is kException
    std::uint32_t argErr = 0;  // the refused argument, as an index into the arguments sent
};

// The standard type-library-driven dispatch rules, for every DispatchObject.
namespace dispatch {

// Names to identifiers, letter case ignored: names[0] is a member, the rest
// are its parameters (whose identifiers are their positions). Unknown names
// get kDispIdUnknown and the result is kUnknownName.
std::int32_t getIDsOfNames(const InterfaceDescription& interface, std::span<const std::u16string> names,
                           std::vector<DispId>& ids);

// Invokes member `id`. `args` are the positional arguments in natural order
// (first parameter first) followed by the named ones in the order of
// `namedIds`; by-reference arguments refer to caller-owned Variants, which see
// the changes of by-reference parameters of exactly their type. Calls that
// break the rules are refused before the member runs: unknown member or kind
// (kMemberNotFound), argument count (kBadParamCount, also for a required
// parameter left out among named ones), argument names (kParamNotFound),
// argument type (kTypeMismatch, kOverflow, with argErr).
// A member's own error comes back as kException with the exception filled.
InvokeOutcome invoke(DispatchObject& target, DispId id, std::uint16_t flags, std::span<Variant> args,
                     std::span<const DispId> namedIds, const RegionalSettings& regional);

// The member a call with these flags reaches, or null.
const MemberDescription* findMember(const InterfaceDescription& interface, DispId id, std::uint16_t flags);

}  // namespace dispatch
}  // namespace corvane::automation

#pragma once

#include "Object.h"
#include "TypeInfo.h"
#include "Variant.h"

#include <span>

namespace corvane::automation {

class DispatchObject;

// Runs one member on an object. `params` holds one Variant per parameter of
// the member, in parameter order, already converted to the declared types; a
// by-reference parameter points at the caller's value (or at a temporary the
// caller never sees), so assigning to it is how a member writes back.
using MemberHandler = Variant (*)(DispatchObject& self, std::span<Variant* const> params);

// An interface's members and, in the same order, the code that runs each.
struct InterfaceBinding {
    const InterfaceDescription& description;
    std::span<const MemberHandler> handlers;
};

// An object that clients call by dispatch: it names the binding of its one
// interface, and the dispatcher does the rest.
class DispatchObject : public Object {
public:
    virtual const InterfaceBinding& dispatchBinding() const = 0;
    DispatchObject* asDispatch() noexcept override { return this; }
};

}  // namespace corvane::automation

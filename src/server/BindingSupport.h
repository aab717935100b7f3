#pragma once

#include "automation/Binding.h"
#include "automation/DispatchObject.h"
#include "automation/Variant.h"

#include <span>
#include <vector>

// Shared shorthand of the member bindings: every handler receives its
// parameters already converted to the declared types by the dispatcher.
namespace corvane::binding {

using automation::DispatchObject;
using automation::MemberKind;
using automation::NamedHandler;
using automation::Variant;
using Params = std::span<Variant* const>;

template <class T>
T& self(DispatchObject& object)
{
    return static_cast<T&>(object);
}

// The handlers of one interface put in member order, with the binding that
// refers to them; each class keeps one as a function-local static.
class BoundInterface {
public:
    BoundInterface(const automation::InterfaceDescription& interface, std::span<const NamedHandler> handlers)
        : handlers_(automation::bindByName(interface, handlers)), binding_{interface, handlers_}
    {
    }
    BoundInterface(const BoundInterface&) = delete;
    BoundInterface& operator=(const BoundInterface&) = delete;

    const automation::InterfaceBinding& binding() const { return binding_; }

private:
    std::vector<automation::MemberHandler> handlers_;
    automation::InterfaceBinding binding_;
};

}  // namespace corvane::binding

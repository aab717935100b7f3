#pragma once

#include "WindowsHeaders.h"

#include "automation/TypeInfo.h"

namespace corvane::com {

class DispatchAdapter;

// What a dual interface pointer points at: the vtable made for its interface
// and the object whose face it is.
struct DualFace {
    const void* const* vtable;
    DispatchAdapter* owner;
};

// The vtable of an interface of the member table: IUnknown's and IDispatch's
// entries, then one entry per member in the table's order, each made by the
// compiler from the member's description. Null for an interface the table
// does not have.
const void* const* dualVtableOf(const automation::InterfaceDescription& interface);

}  // namespace corvane::com

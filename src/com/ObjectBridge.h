#pragma once

#include "WindowsHeaders.h"

#include "automation/Object.h"

#include <optional>

namespace corvane::com {

// How objects cross the COM boundary: the one COM face each object of the
// model has, and back again from a pointer a client passes in.
class ObjectBridge {
public:
    virtual ~ObjectBridge() = default;

    // A new reference to the object's IDispatch; null for Nothing and for
    // objects without dispatch (use unknownOf).
    virtual IDispatch* dispatchOf(const automation::Ref<automation::Object>& object) = 0;
    // A new reference to the object's IUnknown (the enumerator's IEnumVARIANT
    // for an enumerator); null for Nothing.
    virtual IUnknown* unknownOf(const automation::Ref<automation::Object>& object) = 0;
    // The object behind a pointer that this server handed out (Nothing for
    // null); empty for anybody else's object.
    virtual std::optional<automation::Ref<automation::Object>> objectOf(IUnknown* pointer) = 0;
};

}  // namespace corvane::com

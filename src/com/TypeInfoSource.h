#pragma once

#include "WindowsHeaders.h"

#include "ComResources.h"

namespace corvane::com {

// The registered type library's description of the interfaces, for clients
// that ask an object for its type information (object browsers, scripting
// hosts that list an object's members before they call them). Loaded from
// the registration on the first question and kept for the process; a server
// that is not registered has none to give, and says so with a count of 0.
class TypeInfoSource {
public:
    bool available();
    // The description of the dual interface `iid`, as a new reference.
    HRESULT describe(const GUID& iid, ITypeInfo** info);

private:
    ITypeLib* library();

    ComRef<ITypeLib> library_;
    bool loaded_ = false;
};

}  // namespace corvane::com

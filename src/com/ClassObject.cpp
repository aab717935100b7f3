#include "ClassObject.h"

#include "ComResources.h"
#include "ErrorObject.h"
#include "Guids.h"

#include "automation/AutomationError.h"
#include "server/ClassFactory.h"

namespace corvane::com {

HRESULT ClassObject::QueryInterface(REFIID iid, void** out)
{
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IClassFactory) return E_NOINTERFACE;
    *out = static_cast<IClassFactory*>(this);
    return S_OK;
}

HRESULT ClassObject::CreateInstance(IUnknown* outer, REFIID iid, void** out)
{
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    try {
        const automation::Ref<automation::DispatchObject> created = corvane::CreateInstance(process_, coclass_);
        ComRef<IUnknown> face = ComRef<IUnknown>::adopt(table_.unknownOf(created));
        return face->QueryInterface(iid, out);
    } catch (const automation::AutomationError& error) {
        // A failed start-up (the tag table did not load) goes to the client as it is.
        setErrorObject({error.hresult(), error.source(), error.description()}, guidOf(coclass_.clsid));
        return error.hresult();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace corvane::com

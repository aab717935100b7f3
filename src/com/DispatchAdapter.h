#pragma once

#include "WindowsHeaders.h"

#include "DualVtables.h"
#include "ObjectTable.h"

#include "automation/DispatchObject.h"

namespace corvane::com {

// The COM face of an object of the model: IDispatch over the dispatcher, the
// dual interface of its class with the members in its vtable, and
// ISupportErrorInfo for the error objects its members leave.
class DispatchAdapter final : public IDispatch, public ISupportErrorInfo, public ComFace {
public:
    DispatchAdapter(ObjectTable& table, automation::Ref<automation::DispatchObject> object);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argErr) override;

    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;

    // One call of a member by the dispatch rules, for the vtable entries.
    HRESULT invokeMember(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception);

    // ComFace
    IUnknown* identity() override;
    IDispatch* dispatch() override;
    bool owns(IUnknown* pointer) const override;
    const automation::Ref<automation::Object>& object() const override { return asObject_; }

private:
    ~DispatchAdapter() override = default;

    ObjectTable& table_;
    automation::Ref<automation::DispatchObject> target_;
    automation::Ref<automation::Object> asObject_;
    const GUID interfaceId_;
    DualFace dual_;  // the interface's own vtable, for early-bound clients
    LONG references_ = 0;
};

}  // namespace corvane::com

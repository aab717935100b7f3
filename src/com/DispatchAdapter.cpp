#include "DispatchAdapter.h"

#include "DispatchInvoke.h"
#include "Guids.h"

#include "automation/Dispatcher.h"

#include <string>
#include <vector>

namespace corvane::com {

DispatchAdapter::DispatchAdapter(ObjectTable& table, automation::Ref<automation::DispatchObject> object)
    : table_(table),
      target_(std::move(object)),
      asObject_(target_),
      interfaceId_(guidOf(target_->dispatchBinding().description.iid)),
      dual_{dualVtableOf(target_->dispatchBinding().description), this}
{
}

HRESULT DispatchAdapter::QueryInterface(REFIID iid, void** out)
{
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
        *out = static_cast<IDispatch*>(this);
    } else if (iid == interfaceId_ && dual_.vtable) {
        *out = &dual_;
    } else if (iid == IID_ISupportErrorInfo) {
        *out = static_cast<ISupportErrorInfo*>(this);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG DispatchAdapter::AddRef()
{
    return static_cast<ULONG>(++references_);
}

ULONG DispatchAdapter::Release()
{
    const LONG left = --references_;
    if (left == 0) {
        table_.faceReleased(std::move(asObject_));
        delete this;
    }
    return static_cast<ULONG>(left);
}

HRESULT DispatchAdapter::GetTypeInfoCount(UINT* count)
{
    if (count == nullptr) return E_POINTER;
    *count = table_.typeInfo().available() ? 1 : 0;
    return S_OK;
}

HRESULT DispatchAdapter::GetTypeInfo(UINT index, LCID, ITypeInfo** info)
{
    if (info == nullptr) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    return table_.typeInfo().describe(interfaceId_, info);
}

HRESULT DispatchAdapter::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (count > 0 && (names == nullptr || ids == nullptr)) return E_INVALIDARG;
    std::vector<std::u16string> texts;
    texts.reserve(count);
    for (UINT i = 0; i < count; ++i) {
        if (names[i] == nullptr) return E_INVALIDARG;
        texts.emplace_back(reinterpret_cast<const char16_t*>(names[i]));
    }
    std::vector<automation::DispId> found;
    const HRESULT result = automation::dispatch::getIDsOfNames(target_->dispatchBinding().description, texts, found);
    for (UINT i = 0; i < count; ++i) ids[i] = found[i];
    return result;
}

HRESULT DispatchAdapter::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                EXCEPINFO* exception, UINT* argErr)
{
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    // The target stays alive for the whole call, whatever the call releases.
    const automation::Ref<automation::DispatchObject> target = target_;
    return invokeThroughDispatcher(*target, table_, table_.regional(), id, flags, params, result, exception, argErr);
}

HRESULT DispatchAdapter::invokeMember(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception)
{
    const automation::Ref<automation::DispatchObject> target = target_;
    return invokeThroughDispatcher(*target, table_, table_.regional(), id, flags, params, result, exception, nullptr);
}

HRESULT DispatchAdapter::InterfaceSupportsErrorInfo(REFIID iid)
{
    return iid == IID_IDispatch || iid == interfaceId_ ? S_OK : S_FALSE;
}

IUnknown* DispatchAdapter::identity()
{
    AddRef();
    return static_cast<IDispatch*>(this);
}

IDispatch* DispatchAdapter::dispatch()
{
    AddRef();
    return this;
}

bool DispatchAdapter::owns(IUnknown* pointer) const
{
    return pointer == static_cast<const IDispatch*>(this) || pointer == static_cast<const ISupportErrorInfo*>(this) ||
           pointer == reinterpret_cast<const IUnknown*>(&dual_);
}

}  // namespace corvane::com

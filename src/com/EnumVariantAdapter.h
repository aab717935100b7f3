#pragma once

#include "WindowsHeaders.h"

#include "ObjectTable.h"

#include "automation/Enumerator.h"

namespace corvane::com {

// IEnumVARIANT over a collection's enumerator: a client's For Each.
class EnumVariantAdapter final : public IEnumVARIANT, public ComFace {
public:
    EnumVariantAdapter(ObjectTable& table, automation::Ref<automation::Enumerator> enumerator);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* items, ULONG* fetched) override;
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
    HRESULT STDMETHODCALLTYPE Reset() override;
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override;

    IUnknown* identity() override;
    IDispatch* dispatch() override { return nullptr; }
    bool owns(IUnknown* pointer) const override { return pointer == static_cast<const IEnumVARIANT*>(this); }
    const automation::Ref<automation::Object>& object() const override { return asObject_; }

private:
    ~EnumVariantAdapter() override = default;

    ObjectTable& table_;
    automation::Ref<automation::Enumerator> enumerator_;
    automation::Ref<automation::Object> asObject_;
    LONG references_ = 0;
};

}  // namespace corvane::com

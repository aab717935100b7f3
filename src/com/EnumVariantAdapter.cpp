#include "EnumVariantAdapter.h"

#include "VariantConversion.h"

namespace corvane::com {

EnumVariantAdapter::EnumVariantAdapter(ObjectTable& table, automation::Ref<automation::Enumerator> enumerator)
    : table_(table), enumerator_(std::move(enumerator)), asObject_(enumerator_)
{
}

HRESULT EnumVariantAdapter::QueryInterface(REFIID iid, void** out)
{
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IEnumVARIANT) return E_NOINTERFACE;
    *out = static_cast<IEnumVARIANT*>(this);
    AddRef();
    return S_OK;
}

ULONG EnumVariantAdapter::AddRef()
{
    return static_cast<ULONG>(++references_);
}

ULONG EnumVariantAdapter::Release()
{
    const LONG left = --references_;
    if (left == 0) {
        table_.faceReleased(std::move(asObject_));
        delete this;
    }
    return static_cast<ULONG>(left);
}

HRESULT EnumVariantAdapter::Next(ULONG count, VARIANT* items, ULONG* fetched)
{
    if (fetched) *fetched = 0;
    if (count == 0) return S_OK;
    if (items == nullptr || (fetched == nullptr && count != 1)) return E_INVALIDARG;
    const std::vector<automation::Variant> next = enumerator_->Next(count);
    ULONG made = 0;
    try {
        for (; made < next.size(); ++made) toVariant(next[made], table_, &items[made]);
    } catch (const ConversionRefused& refused) {
        for (ULONG i = 0; i < made; ++i) VariantClear(&items[i]);
        return refused.code;
    }
    if (fetched) *fetched = made;
    return made == count ? S_OK : S_FALSE;
}

HRESULT EnumVariantAdapter::Skip(ULONG count)
{
    return enumerator_->Skip(count) ? S_OK : S_FALSE;
}

HRESULT EnumVariantAdapter::Reset()
{
    enumerator_->Reset();
    return S_OK;
}

HRESULT EnumVariantAdapter::Clone(IEnumVARIANT** copy)
{
    if (copy == nullptr) return E_POINTER;
    *copy = static_cast<IEnumVARIANT*>(table_.unknownOf(enumerator_->Clone()));
    return S_OK;
}

IUnknown* EnumVariantAdapter::identity()
{
    AddRef();
    return static_cast<IEnumVARIANT*>(this);
}

}  // namespace corvane::com

#include "DispatchCalls.h"

#include <utility>

namespace corvane::com::test {

CallResult::CallResult(CallResult&& other) noexcept : code(other.code), value(other.value), exception(other.exception)
{
    VariantInit(&other.value);
    other.exception = EXCEPINFO{};
}

CallResult::~CallResult()
{
    VariantClear(&value);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
}

CallResult call(IDispatch* target, const wchar_t* member, WORD flags, std::vector<VARIANT> args)
{
    CallResult result;
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR name = const_cast<LPOLESTR>(member);
    result.code = target->GetIDsOfNames(IID_NULL, &name, 1, 0, &id);
    if (FAILED(result.code)) return result;
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    UINT argErr = 0;
    result.code = target->Invoke(id, IID_NULL, 0, flags, &params, &result.value, &result.exception, &argErr);
    for (VARIANT& arg : args) VariantClear(&arg);
    return result;
}

VARIANT longValue(LONG value)
{
    VARIANT made;
    VariantInit(&made);
    made.vt = VT_I4;
    made.lVal = value;
    return made;
}

VARIANT text(const wchar_t* value)
{
    VARIANT made;
    VariantInit(&made);
    made.vt = VT_BSTR;
    made.bstrVal = SysAllocString(value);
    return made;
}

IDispatch* objectIn(const CallResult& result)
{
    if (result.value.vt != VT_DISPATCH || result.value.pdispVal == nullptr) return nullptr;
    result.value.pdispVal->AddRef();
    return result.value.pdispVal;
}

}  // namespace corvane::com::test

#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

namespace corvane::com::test {

// A late-bound call by member name, as a scripting client makes it.
struct CallResult {
    HRESULT code = S_OK;
    VARIANT value{};  // owned; cleared by the destructor
    EXCEPINFO exception{};
    CallResult() { VariantInit(&value); }
    CallResult(const CallResult&) = delete;
    CallResult(CallResult&& other) noexcept;
    ~CallResult();
};

// `args` in natural order (first parameter first); a put sends its one
// argument as the named argument DISPID_PROPERTYPUT.
CallResult call(IDispatch* target, const wchar_t* member, WORD flags, std::vector<VARIANT> args = {});

VARIANT longValue(LONG value);
VARIANT text(const wchar_t* value);  // the caller's to clear
// The object a call returned, with a reference of the caller's own.
IDispatch* objectIn(const CallResult& result);

}  // namespace corvane::com::test

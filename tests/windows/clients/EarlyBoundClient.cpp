#include "EarlyBoundClient.h"

#include "TranscribedInterfaces.h"

#include <objbase.h>
#include <oleauto.h>

#include <cstdio>

namespace corvane::com::test {

namespace {

int failed = 0;

void expect(bool condition, const char* what)
{
    if (condition) return;
    std::printf("FAIL: early-bound: %s\n", what);
    ++failed;
}

template <class T>
void release(T*& pointer)
{
    if (pointer) pointer->Release();
    pointer = nullptr;
}

// What an object browser reads of an object: its one type, that of its dual
// interface, carried back across the process boundary.
void expectTypeInformation(IUnknown* object, const GUID& iid, const wchar_t* interfaceName, const wchar_t* member, DISPID id)
{
    IDispatch* dispatch = nullptr;
    object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    UINT count = 0;
    expect(dispatch && dispatch->GetTypeInfoCount(&count) == S_OK && count == 1, "one type information");
    ITypeInfo* info = nullptr;
    expect(dispatch && dispatch->GetTypeInfo(0, 0, &info) == S_OK && info, "GetTypeInfo(0)");
    ITypeInfo* beyond = nullptr;
    expect(dispatch && dispatch->GetTypeInfo(1, 0, &beyond) == DISP_E_BADINDEX && !beyond, "GetTypeInfo(1) refused");
    if (info) {
        TYPEATTR* attributes = nullptr;
        WORD functions = 0;
        if (info->GetTypeAttr(&attributes) == S_OK && attributes) {
            expect(IsEqualGUID(attributes->guid, iid), "the type is the object's dual interface");
            expect((attributes->wTypeFlags & TYPEFLAG_FDUAL) != 0, "the type says it is dual");
            functions = attributes->cFuncs;
            info->ReleaseTypeAttr(attributes);
        } else {
            expect(false, "GetTypeAttr");
        }
        BSTR name = nullptr;
        expect(info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr) == S_OK && name &&
                   wcscmp(name, interfaceName) == 0, "the type's name");
        SysFreeString(name);
        // As a browser lists members: function by function, each name by its
        // identifier (looking names up in a type is not carried across processes).
        bool listed = false;
        for (UINT i = 0; i < functions && !listed; ++i) {
            FUNCDESC* function = nullptr;
            if (info->GetFuncDesc(i, &function) != S_OK || !function) continue;
            BSTR functionName = nullptr;
            UINT got = 0;
            listed = function->memid == id && info->GetNames(id, &functionName, 1, &got) == S_OK && got == 1 &&
                     wcscmp(functionName, member) == 0;
            SysFreeString(functionName);
            info->ReleaseFuncDesc(function);
        }
        expect(listed, "a member under its identifier in the type");
    }
    release(info);
    release(dispatch);
}

}  // namespace

int runEarlyBoundClient()
{
    CLSID dataClass{};
    _Data* data = nullptr;
    CLSIDFromProgID(L"CorvaneSim.Data", &dataClass);
    const HRESULT created = CoCreateInstance(dataClass, nullptr, CLSCTX_LOCAL_SERVER, kIidData, reinterpret_cast<void**>(&data));
    expect(created == S_OK && data, "Data created for its dual interface");
    if (!data) return failed;
    expectTypeInformation(data, kIidData, L"_Data", L"Tags", 0x68030007);

    expect(data->put_SampleFrequency(60) == S_OK, "put_SampleFrequency");
    LONG frequency = 0;
    expect(data->get_SampleFrequency(&frequency) == S_OK && frequency == 60, "get_SampleFrequency reads back");
    expect(data->put_MinimumConfidence(2.5f) == S_OK, "put_MinimumConfidence (a float by value)");
    FLOAT minimum = 0;
    expect(data->get_MinimumConfidence(&minimum) == S_OK && minimum == 2.5f, "get_MinimumConfidence reads back");

    _Tags* tags = nullptr;
    expect(data->get_Tags(&tags) == S_OK && tags, "get_Tags");
    if (tags) {
        BSTR name = SysAllocString(L"TIC101.PV");
        VARIANT noKey;
        VariantInit(&noKey);
        noKey.vt = VT_ERROR;
        noKey.scode = DISP_E_PARAMNOTFOUND;  // the optional key left out
        _Tag* tag = nullptr;
        expect(tags->Add(&name, &noKey, &tag) == S_OK && tag, "Add");
        if (tag) expectTypeInformation(tag, kIidTag, L"_Tag", L"PV", 0x68030001);
        LONG count = 0;
        expect(tags->get_Count(&count) == S_OK && count == 1, "get_Count");

        // A member's error: the failure code, and the error object beside it.
        _Tag* twice = nullptr;
        expect(tags->Add(&name, &noKey, &twice) == static_cast<HRESULT>(0x800A01C9), "a second Add fails with 457");
        ISupportErrorInfo* supports = nullptr;
        expect(tags->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&supports)) == S_OK &&
                   supports->InterfaceSupportsErrorInfo(kIidTags) == S_OK, "ISupportErrorInfo for _Tags");
        release(supports);
        IErrorInfo* error = nullptr;
        BSTR source = nullptr;
        const HRESULT found = GetErrorInfo(0, &error);
        if (found == S_OK && error) {
            expect(error->GetSource(&source) == S_OK && source && wcscmp(source, L"CorvaneSim") == 0,
                   "the error object names its source");
        } else {
            // Wine's channel does not carry error objects between processes;
            // the server's side is checked in process.
            std::printf("early-bound: no error object came across (0x%08lX)\n", static_cast<unsigned long>(found));
        }
        SysFreeString(source);
        release(error);
        release(twice);
        SysFreeString(name);

        if (tag) {
            expect(tag->put_PV(42.5f) == S_OK, "put_PV");
            FLOAT pv = 0;
            expect(tag->get_PV(&pv) == S_OK && pv == 42.5f, "get_PV reads back");
            VARIANT slots[3];
            for (VARIANT& slot : slots) VariantInit(&slot);
            expect(tag->UnpackResults(&slots[0], &slots[1], &slots[2]) == S_OK, "UnpackResults");
            expect(slots[0].vt == (VT_ARRAY | VT_R4) && slots[1].vt == (VT_ARRAY | VT_DATE) && slots[2].vt == (VT_ARRAY | VT_I2),
                   "three arrays of singles, dates and integers");
            LONG lower = -1, upper = -1;
            if (slots[0].vt & VT_ARRAY) {
                SafeArrayGetLBound(slots[0].parray, 1, &lower);
                SafeArrayGetUBound(slots[0].parray, 1, &upper);
            }
            expect(lower == 0, "arrays count from 0");
            for (VARIANT& slot : slots) VariantClear(&slot);
            BSTR tagName = nullptr;
            expect(tag->get_TagName(&tagName) == S_OK && tagName && wcscmp(tagName, L"TIC101.PV") == 0, "get_TagName");
            SysFreeString(tagName);
        }
        release(tag);

        VARIANT first;
        VariantInit(&first);
        first.vt = VT_I4;
        first.lVal = 1;
        _Tag* item = nullptr;
        expect(tags->Item(first, &item) == S_OK && item, "Item by position");
        release(item);
        release(tags);
    }

    // A Tag has no class object.
    IUnknown* refused = nullptr;
    const HRESULT tagCreation = CoCreateInstance(kClsidTag, nullptr, CLSCTX_LOCAL_SERVER, IID_IUnknown, reinterpret_cast<void**>(&refused));
    expect(tagCreation == REGDB_E_CLASSNOTREG || tagCreation == CLASS_E_CLASSNOTAVAILABLE, "creation of Tag refused");
    release(refused);
    release(data);
    return failed;
}

}  // namespace corvane::com::test

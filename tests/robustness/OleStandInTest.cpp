// The OLE Automation stand-in the com_dispatch fuzz target builds the COM
// conversion over: where it departs from what Windows does, the fuzzer
// would miss faults or report ones that are not there.
#include "OleStandIn.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// An interface that counts its references and nothing else.
class CountedObject final : public IDispatch {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }
    ULONG refs = 1;
};

TEST(OleStandIn, KeepsTheWindowsLayoutOfItsTypes)
{
    EXPECT_EQ(sizeof(VARIANT), 24u);
    EXPECT_EQ(sizeof(DECIMAL), 16u);
    EXPECT_EQ(offsetof(SAFEARRAY, rgsabound), 24u);
    // A decimal overlays the VARIANT's type with its reserved word.
    VARIANT value;
    value.decVal.wReserved = VT_DECIMAL;
    EXPECT_EQ(value.vt, VT_DECIMAL);
}

TEST(OleStandIn, BstrCarriesItsByteLengthBeforeAndANullUnitAfter)
{
    BSTR text = SysAllocStringLen(u"a\0bc", 4);
    EXPECT_EQ(SysStringLen(text), 4u);
    EXPECT_EQ(SysStringByteLen(text), 8u);
    EXPECT_EQ(std::u16string(text, 4), std::u16string(u"a\0bc", 4));
    EXPECT_EQ(text[4], u'\0');
    SysFreeString(text);

    BSTR odd = SysAllocStringByteLen("abc", 3);
    EXPECT_EQ(SysStringLen(odd), 1u);  // the half unit is not a character
    SysFreeString(odd);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
}

TEST(OleStandIn, DestroyingAnArrayFreesWhatItsElementsHold)
{
    CountedObject object;
    SAFEARRAY* variants = SafeArrayCreateVector(VT_VARIANT, -3, 2);
    ASSERT_NE(variants, nullptr);
    EXPECT_EQ(variants->rgsabound[0].lLbound, -3);
    auto* elements = static_cast<VARIANT*>(variants->pvData);
    EXPECT_EQ(elements[1].vt, VT_EMPTY);
    elements[0].vt = VT_DISPATCH;
    elements[0].pdispVal = &object;
    object.AddRef();
    elements[1].vt = VT_BSTR;
    elements[1].bstrVal = SysAllocString(u"freed with the array");
    EXPECT_EQ(SafeArrayDestroy(variants), S_OK);
    EXPECT_EQ(object.refs, 1u);

    variants = SafeArrayCreateVector(VT_VARIANT, 0, 1);
    variants->cLocks = 1;
    EXPECT_EQ(SafeArrayDestroy(variants), DISP_E_ARRAYISLOCKED);
    variants->cLocks = 0;
    EXPECT_EQ(SafeArrayDestroy(variants), S_OK);
}

TEST(OleStandIn, ArraysKeepTheirBoundsLastDimensionFirst)
{
    SAFEARRAYBOUND bounds[] = {{2, 1}, {3, -1}};
    SAFEARRAY* array = SafeArrayCreate(VT_I4, 2, bounds);
    ASSERT_NE(array, nullptr);
    EXPECT_EQ(array->cDims, 2);
    EXPECT_EQ(array->cbElements, 4u);
    EXPECT_EQ(array->rgsabound[0].cElements, 3u);
    EXPECT_EQ(array->rgsabound[1].lLbound, 1);
    EXPECT_EQ(SafeArrayDestroy(array), S_OK);
    EXPECT_EQ(SafeArrayCreateVector(VT_EMPTY, 0, 1), nullptr);
    EXPECT_EQ(SafeArrayCreateVector(VT_R8, 0, 0xFFFFFFFFu), nullptr);
}

TEST(OleStandIn, ClearingRefusesTypesNoVariantHolds)
{
    for (VARTYPE vt : {VARTYPE(VT_BYREF | VT_NULL), VARTYPE(VT_VARIANT), VARTYPE(0x0FFF), VARTYPE(VT_VECTOR | VT_I4),
                       VARTYPE(VT_ARRAY | VT_EMPTY)}) {
        VARIANT value{};
        value.vt = vt;
        EXPECT_EQ(VariantClear(&value), DISP_E_BADVARTYPE) << std::hex << vt;
    }
    // A reference is the caller's: clearing leaves what it points at.
    BSTR text = SysAllocString(u"kept");
    VARIANT reference{};
    reference.vt = VT_BYREF | VT_BSTR;
    reference.pbstrVal = &text;
    EXPECT_EQ(VariantClear(&reference), S_OK);
    EXPECT_EQ(reference.vt, VT_EMPTY);
    EXPECT_EQ(SysStringLen(text), 4u);
    SysFreeString(text);
}

TEST(OleStandIn, ChangesWideIntegersAndDecimalsToLongOrDouble)
{
    const auto decimal = [](ULONGLONG digits, BYTE scale, bool negative) {
        VARIANT value{};
        value.decVal.Lo64 = digits;
        value.decVal.scale = scale;
        value.decVal.sign = negative ? DECIMAL_NEG : 0;
        value.vt = VT_DECIMAL;
        return value;
    };
    const auto toLong = [](VARIANT in, LONG& out) {
        VARIANT changed;
        VariantInit(&changed);
        const HRESULT result = VariantChangeType(&changed, &in, 0, VT_I4);
        out = changed.lVal;
        return result;
    };
    LONG out = 0;
    // Halves go to the even neighbour, as the real conversion rounds them.
    EXPECT_EQ(toLong(decimal(25, 1, false), out), S_OK);
    EXPECT_EQ(out, 2);
    EXPECT_EQ(toLong(decimal(35, 1, false), out), S_OK);
    EXPECT_EQ(out, 4);
    EXPECT_EQ(toLong(decimal(25, 1, true), out), S_OK);
    EXPECT_EQ(out, -2);
    EXPECT_EQ(toLong(decimal(2147483648ull, 0, true), out), S_OK);
    EXPECT_EQ(out, -2147483647 - 1);
    EXPECT_EQ(toLong(decimal(2147483648ull, 0, false), out), DISP_E_OVERFLOW);
    EXPECT_EQ(toLong(decimal(1, 29, false), out), E_INVALIDARG);

    VARIANT wide{};
    wide.vt = VT_UI4;
    wide.ulVal = 0xFFFFFFFFu;
    EXPECT_EQ(toLong(wide, out), DISP_E_OVERFLOW);
    VARIANT asDouble;
    VariantInit(&asDouble);
    EXPECT_EQ(VariantChangeType(&asDouble, &wide, 0, VT_R8), S_OK);
    EXPECT_EQ(asDouble.dblVal, 4294967295.0);
}

TEST(OleStandIn, TheThreadsErrorObjectIsReadOnce)
{
    ICreateErrorInfo* made = nullptr;
    ASSERT_EQ(CreateErrorInfo(&made), S_OK);
    made->SetSource(const_cast<LPOLESTR>(u"CorvaneSim"));
    IErrorInfo* error = nullptr;
    ASSERT_EQ(made->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&error)), S_OK);
    made->Release();
    SetErrorInfo(0, error);
    error->Release();

    IErrorInfo* read = nullptr;
    ASSERT_EQ(GetErrorInfo(0, &read), S_OK);
    BSTR source = nullptr;
    read->GetSource(&source);
    EXPECT_EQ(std::u16string(source, SysStringLen(source)), u"CorvaneSim");
    SysFreeString(source);
    read->Release();
    EXPECT_EQ(GetErrorInfo(0, &read), S_FALSE);
}

TEST(OleStandIn, ReadsIdentifiersInTheirRegistryForm)
{
    CLSID parsed{};
    ASSERT_EQ(CLSIDFromString(L"{00020400-0000-0000-C000-000000000046}", &parsed), S_OK);
    EXPECT_TRUE(parsed == IID_IDispatch);
    EXPECT_EQ(CLSIDFromString(L"{00020400-0000-0000-C000-00000000004}", &parsed), CO_E_CLASSSTRING);
    EXPECT_EQ(CLSIDFromString(L"00020400-0000-0000-C000-000000000046", &parsed), CO_E_CLASSSTRING);
}

}  // namespace

// The model's objects through their COM faces, in process: what a client's
// IDispatch calls meet once the marshaller has delivered them.
#include "ObjectModelFixture.h"
#include "com/ComResources.h"
#include "com/ObjectTable.h"
#include "session/Data.h"

// After the core's headers: these bring back the Windows headers' macros.
#include "DispatchCalls.h"
#include "TranscribedInterfaces.h"

#include <gtest/gtest.h>

namespace corvane::com {
namespace {

using test::call;
using test::longValue;
using test::text;

class DispatchAdapter : public testing::ObjectModelFixture {
protected:
    void SetUp() override
    {
        data = ComRef<IDispatch>::adopt(table.dispatchOf(Data::Create(process)));
        tags = ComRef<IDispatch>::adopt(test::objectIn(call(data.get(), L"TAGS", DISPATCH_PROPERTYGET)));
        ASSERT_TRUE(tags);
    }
    ComRef<IDispatch> add(const wchar_t* name)
    {
        return ComRef<IDispatch>::adopt(test::objectIn(call(tags.get(), L"add", DISPATCH_METHOD, {text(name)})));
    }

    ReleaseQueue releases;
    ObjectTable table{*regional, releases};
    ComRef<IDispatch> data;
    ComRef<IDispatch> tags;
};

TEST_F(DispatchAdapter, MembersErrorsArriveAsExceptionsAndErrorObjects)
{
    add(L"TIC101.PV");
    const test::CallResult twice = call(tags.get(), L"Add", DISPATCH_METHOD, {text(L"tic101.pv")});
    EXPECT_EQ(twice.code, DISP_E_EXCEPTION);
    EXPECT_EQ(twice.exception.scode, static_cast<SCODE>(0x800A01C9));
    EXPECT_STREQ(twice.exception.bstrSource, L"CorvaneSim");
    EXPECT_NE(SysStringLen(twice.exception.bstrDescription), 0u);

    ComRef<IErrorInfo> error;
    ASSERT_EQ(GetErrorInfo(0, error.put()), S_OK);
    BSTR description = nullptr;
    error->GetDescription(&description);
    EXPECT_STREQ(description, twice.exception.bstrDescription);
    SysFreeString(description);
    ComRef<ISupportErrorInfo> supports;
    ASSERT_EQ(tags->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(supports.put())), S_OK);
    EXPECT_EQ(supports->InterfaceSupportsErrorInfo(IID_IDispatch), S_OK);
}

TEST_F(DispatchAdapter, TheDualInterfaceReachesTheSameMembersThroughItsVtable)
{
    test::_Tags* early = nullptr;
    ASSERT_EQ(tags->QueryInterface(test::kIidTags, reinterpret_cast<void**>(&early)), S_OK);
    BSTR name = SysAllocString(L"TIC101.PV");
    VARIANT noKey;
    VariantInit(&noKey);
    noKey.vt = VT_ERROR;
    noKey.scode = DISP_E_PARAMNOTFOUND;
    test::_Tag* tag = nullptr;
    EXPECT_EQ(early->Add(&name, &noKey, &tag), S_OK);
    LONG count = 0;
    EXPECT_EQ(early->get_Count(&count), S_OK);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(call(tags.get(), L"Count", DISPATCH_PROPERTYGET).value.lVal, 1) << "both routes see one collection";

    ASSERT_TRUE(tag);
    EXPECT_EQ(tag->put_PV(42.5f), S_OK);
    FLOAT pv = 0;
    EXPECT_EQ(tag->get_PV(&pv), S_OK);
    EXPECT_EQ(pv, 42.5f);
    tag->Release();

    test::_Tag* twice = nullptr;
    EXPECT_EQ(early->Add(&name, &noKey, &twice), static_cast<HRESULT>(0x800A01C9)) << "the failure code itself";
    EXPECT_EQ(twice, nullptr);
    ComRef<IErrorInfo> error;
    ASSERT_EQ(GetErrorInfo(0, error.put()), S_OK);
    BSTR source = nullptr;
    error->GetSource(&source);
    EXPECT_STREQ(source, L"CorvaneSim");
    SysFreeString(source);
    SysFreeString(name);
    early->Release();
}

TEST_F(DispatchAdapter, AReferenceToAVariantForAStringParameterIsRefusedWithItsPosition)
{
    VARIANT name = text(L"TIC101.PV");
    VARIANT reference{};
    reference.vt = VT_BYREF | VT_VARIANT;
    reference.pvarVal = &name;
    DISPPARAMS params{&reference, nullptr, 1, 0};
    UINT argErr = 99;
    EXPECT_EQ(tags->Invoke(0x60030002, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, &argErr), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argErr, 0u);
    VariantClear(&name);
}

TEST_F(DispatchAdapter, MalformedCallsAreRefusedWithoutRunningAnything)
{
    DISPPARAMS noArguments{nullptr, nullptr, 2, 0};
    EXPECT_EQ(tags->Invoke(0x68030000, IID_NULL, 0, DISPATCH_PROPERTYGET, &noArguments, nullptr, nullptr, nullptr), E_INVALIDARG);
    DISPPARAMS tooManyNames{nullptr, nullptr, 0, 1};
    EXPECT_EQ(tags->Invoke(0x68030000, IID_NULL, 0, DISPATCH_PROPERTYGET, &tooManyNames, nullptr, nullptr, nullptr), E_INVALIDARG);
    EXPECT_EQ(tags->Invoke(0x68030000, IID_IDispatch, 0, DISPATCH_PROPERTYGET, nullptr, nullptr, nullptr, nullptr),
              DISP_E_UNKNOWNINTERFACE);
}

TEST_F(DispatchAdapter, AnUnregisteredServerHasNoTypeInformationToGive)
{
    // This test program registers nothing; the registered case is the early-bound client's.
    UINT count = 99;
    EXPECT_EQ(tags->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 0u);
    ITypeInfo* info = reinterpret_cast<ITypeInfo*>(1);
    EXPECT_EQ(tags->GetTypeInfo(0, 0, &info), DISP_E_BADINDEX);
    EXPECT_EQ(info, nullptr);
    EXPECT_EQ(tags->GetTypeInfo(0, 0, nullptr), E_POINTER);
}

TEST_F(DispatchAdapter, TheModelLetsGoOnlyOnceTheQueueRuns)
{
    add(L"TIC101.PV");
    data.reset();
    tags.reset();
    EXPECT_EQ(table.size(), 0u) << "every face gone with its clients";
    EXPECT_FALSE(releases.empty()) << "the model's objects wait for the message loop";
    releases.releaseWaiting();
    EXPECT_TRUE(releases.empty());
}

}  // namespace
}  // namespace corvane::com

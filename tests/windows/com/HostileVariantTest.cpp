// VARIANTs from outside: every Automation type crosses both ways, and
// malformed ones are refused with an error, never a crash.
#include "com/WindowsHeaders.h"

#include "com/ComResources.h"
#include "com/ObjectTable.h"
#include "com/VariantConversion.h"

#include "automation/SafeArray.h"

#include <gtest/gtest.h>

#include <memory>

namespace corvane::com {
namespace {

using automation::SafeArray;
using automation::VarType;
using automation::Variant;

class VariantConversion : public ::testing::Test {
protected:
    HRESULT refusalOf(VARIANT value)
    {
        CallArguments arguments(table);
        try {
            arguments.read(value);
        } catch (const ConversionRefused& refused) {
            return refused.code;
        }
        return S_OK;
    }
    Variant roundTrip(const Variant& value)
    {
        OwnedVariant made;
        toVariant(value, table, made.get());
        return fromVariant(*made, table);
    }

    automation::FixedRegionalSettings regional = automation::FixedRegionalSettings::english();
    ReleaseQueue releases;
    ObjectTable table{regional, releases};
};

TEST_F(VariantConversion, EveryScalarTypeSurvivesTheRoundTrip)
{
    for (const Variant& value : {Variant(), Variant::null(), Variant(std::int16_t{-7}), Variant(std::int32_t{1 << 30}),
                                 Variant(2.5f), Variant(-1e300), Variant::currency(123456789), Variant::date(46000.25),
                                 Variant(u"t\u00e9xt"), Variant::error(0x80020004), Variant::boolean(true),
                                 Variant(std::uint8_t{255})})
        EXPECT_EQ(roundTrip(value), value) << automation::typeName(value.type());
}

TEST_F(VariantConversion, ArraysKeepTheirLowerBoundAndElements)
{
    const auto texts = std::make_shared<const SafeArray>(VarType::String, 5, std::vector<std::u16string>{u"a", u"", u"c"});
    const auto singles = std::make_shared<const SafeArray>(VarType::R4, -2, std::vector<float>{1.5f, -0.0f});
    const auto mixed = std::make_shared<const SafeArray>(
        VarType::Variant, 0, std::vector<Variant>{Variant(u"x"), Variant::array(singles), Variant::date(1.0)});
    for (const auto& array : {texts, singles, mixed}) EXPECT_EQ(roundTrip(Variant::array(array)), Variant::array(array));
}

TEST_F(VariantConversion, ANullBstrIsTheEmptyText)
{
    VARIANT value{};
    value.vt = VT_BSTR;
    value.bstrVal = nullptr;
    EXPECT_EQ(fromVariant(value, table), Variant(u""));
}

TEST_F(VariantConversion, UnknownAndImpossibleTypesAreRefused)
{
    for (VARTYPE vt : {VARTYPE(VT_VARIANT), VARTYPE(VT_RECORD), VARTYPE(0x0FFF), VARTYPE(VT_ARRAY | VT_RECORD),
                       VARTYPE(VT_BYREF | VT_EMPTY), VARTYPE(VT_VECTOR | VT_I4), VARTYPE(VT_ARRAY | VT_BYREF | VT_ARRAY)}) {
        VARIANT value{};
        value.vt = vt;
        static LONGLONG pointee = 0;
        value.byref = &pointee;
        EXPECT_EQ(refusalOf(value), DISP_E_BADVARTYPE) << std::hex << vt;
    }
}

TEST_F(VariantConversion, NullReferencesAndEndlessNestingAreRefused)
{
    VARIANT value{};
    value.vt = VT_BYREF | VT_BSTR;
    value.pbstrVal = nullptr;
    EXPECT_EQ(refusalOf(value), DISP_E_BADVARTYPE);

    // A reference to a Variant that refers to itself.
    VARIANT loop{};
    loop.vt = VT_BYREF | VT_VARIANT;
    loop.pvarVal = &loop;
    EXPECT_EQ(refusalOf(loop), DISP_E_BADVARTYPE);
}

TEST_F(VariantConversion, HugeOrMalformedArraysAreRefusedBeforeAnythingIsRead)
{
    SAFEARRAY array{};
    array.cDims = 1;
    array.cbElements = sizeof(LONG);
    array.pvData = nullptr;  // would be read at once if the bounds were believed
    VARIANT value{};
    value.vt = VT_ARRAY | VT_I4;
    value.parray = &array;

    array.rgsabound[0] = {0xFFFFFFFFu, 0};
    EXPECT_EQ(refusalOf(value), DISP_E_BADVARTYPE) << "four thousand million elements";
    array.rgsabound[0] = {10, 0x7FFFFFFF};
    EXPECT_EQ(refusalOf(value), DISP_E_BADVARTYPE) << "upper bound beyond a Long";
    array.rgsabound[0] = {10, 0};
    EXPECT_EQ(refusalOf(value), DISP_E_BADVARTYPE) << "elements without data";
    array.cbElements = 2;
    EXPECT_EQ(refusalOf(value), DISP_E_BADVARTYPE) << "element size of another type";
    value.parray = nullptr;
    EXPECT_EQ(refusalOf(value), DISP_E_BADVARTYPE) << "no array at all";

    OwnedSafeArray square(SafeArrayCreate(VT_I4, 2, std::array<SAFEARRAYBOUND, 2>{{{2, 0}, {2, 0}}}.data()));
    value.parray = square.get();
    EXPECT_EQ(refusalOf(value), DISP_E_TYPEMISMATCH) << "two dimensions";
}

TEST_F(VariantConversion, AnotherProgramsObjectIsATypeMismatch)
{
    ComRef<IUnknown> foreign;
    ASSERT_EQ(CreateErrorInfo(reinterpret_cast<ICreateErrorInfo**>(foreign.put())), S_OK);
    VARIANT value{};
    value.vt = VT_UNKNOWN;
    value.punkVal = foreign.get();
    EXPECT_EQ(refusalOf(value), DISP_E_TYPEMISMATCH);
    value.punkVal = nullptr;
    EXPECT_EQ(refusalOf(value), S_OK) << "Nothing is a value like any other";
}

TEST_F(VariantConversion, ReferencesSeeTheMembersChangesAndNothingElse)
{
    BSTR text = SysAllocString(L"before");
    VARIANT typed{};
    typed.vt = VT_BYREF | VT_BSTR;
    typed.pbstrVal = &text;
    VARIANT holder{};
    holder.vt = VT_I4;
    holder.lVal = 1;
    VARIANT whole{};
    whole.vt = VT_BYREF | VT_VARIANT;
    whole.pvarVal = &holder;

    CallArguments arguments(table);
    Variant toText = arguments.read(typed);
    Variant toVariant = arguments.read(whole);
    toText.target() = Variant(u"after");
    toVariant.target() = Variant::array(std::make_shared<const SafeArray>(VarType::R8, 0, std::vector<double>{1.0, 2.0}));
    arguments.writeBack();

    EXPECT_STREQ(text, L"after");
    ASSERT_EQ(holder.vt, VT_ARRAY | VT_R8);
    EXPECT_EQ(holder.parray->rgsabound[0].cElements, 2u);
    SysFreeString(text);
    VariantClear(&holder);
}

}  // namespace
}  // namespace corvane::com

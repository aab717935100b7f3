#include "automation/AutomationError.h"
#include "automation/Convert.h"
#include "automation/HResult.h"
#include "automation/SafeArray.h"

#include "ErrorNumber.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

using namespace corvane::automation;
using corvane::testing::errorNumberOf;

namespace {

const RegionalSettings& english = FixedRegionalSettings::english();
const RegionalSettings& german = FixedRegionalSettings::german();

class Plain : public Object {};

}  // namespace

TEST(Conversion, RoundsFractionsHalfToEven)
{
    EXPECT_EQ(toI4(Variant(2.5), english), 2);
    EXPECT_EQ(toI4(Variant(3.5), english), 4);
    EXPECT_EQ(toI4(Variant(-2.5), english), -2);
    EXPECT_EQ(toI4(Variant(-3.5), english), -4);
    EXPECT_EQ(toI4(Variant(2.500001), english), 3);
    EXPECT_EQ(toI2(Variant(99.5f), english), 100);
    EXPECT_EQ(toI4(Variant(u"2.5"), english), 2);
    EXPECT_EQ(toI4(Variant(u"3.5"), english), 4);
    EXPECT_EQ(toI4(Variant::currency(25000), english), 2);  // 2.5 exactly
    EXPECT_EQ(toI4(Variant::currency(35000), english), 4);
    EXPECT_EQ(toI4(Variant::currency(-25001), english), -3);
}

TEST(Conversion, ReadsTextByTheRegionalNumberFormat)
{
    EXPECT_EQ(toR4(Variant(u"12.5"), english), 12.5f);
    EXPECT_EQ(toR4(Variant(u"12,5"), german), 12.5f);
    EXPECT_EQ(toI4(Variant(u"1,000"), english), 1000);
    EXPECT_EQ(toI4(Variant(u" -60 "), english), -60);
    EXPECT_EQ(toR8(Variant(u"1e3"), english), 1000.0);
}

TEST(Conversion, GivesZeroOrEmptyTextForEmptyAndMinusOneForTrue)
{
    EXPECT_EQ(toI4(Variant(), english), 0);
    EXPECT_EQ(toR4(Variant(), english), 0.0f);
    EXPECT_EQ(toText(Variant(), english), u"");
    EXPECT_FALSE(toBool(Variant(), english));
    EXPECT_EQ(toI4(Variant::boolean(true), english), -1);
    EXPECT_EQ(toR4(Variant::boolean(false), english), 0.0f);
    EXPECT_EQ(toText(Variant::boolean(true), english), u"True");
    EXPECT_EQ(toText(Variant::boolean(false), english), u"False");
    EXPECT_TRUE(toBool(Variant(u"true"), english));
    EXPECT_TRUE(toBool(Variant(u"-1"), english));
}

TEST(Conversion, RaisesOverflowOutsideTheTargetRange)
{
    EXPECT_EQ(errorNumberOf([] { toI2(Variant(32767.5), english); }), error::kOverflow);
    EXPECT_EQ(toI2(Variant(32766.5), english), 32766);
    EXPECT_EQ(errorNumberOf([] { toI4(Variant(2147483648.0), english); }), error::kOverflow);
    EXPECT_EQ(errorNumberOf([] { toI4(Variant(u"2147483648"), english); }), error::kOverflow);
    EXPECT_EQ(toI4(Variant(u"-2147483648"), english), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(errorNumberOf([] { toI4(Variant(std::nan("")), english); }), error::kOverflow);
    EXPECT_EQ(errorNumberOf([] { toR4(Variant(1e39), english); }), error::kOverflow);
    EXPECT_EQ(errorNumberOf([] { toR4(Variant(u"1E+39"), english); }), error::kOverflow);
    EXPECT_EQ(errorNumberOf([] { toR8(Variant(u"1e400"), english); }), error::kOverflow);
    EXPECT_EQ(errorNumberOf([] { toUI1(Variant(-1), english); }), error::kOverflow);
    EXPECT_EQ(errorNumberOf([] { toCurrency(Variant(1e18), english); }), error::kOverflow);
    EXPECT_EQ(toR4(Variant(3.4028234e38), english), 3.4028234e38f);
}

TEST(Conversion, RaisesOverflowForACurrencyAmountThatRoundsToTwoToTheSixtyThird)
{
    // 2^63 / 10,000: its scaled value is the first one past the largest 64-bit integer.
    EXPECT_EQ(errorNumberOf([] { toCurrency(Variant(922337203685477.5808), english); }), error::kOverflow);
    EXPECT_EQ(errorNumberOf([] { toCurrency(Variant(u"922337203685477.58"), english); }), error::kOverflow);
    EXPECT_EQ(toCurrency(Variant(-922337203685477.5808), english), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(toCurrency(Variant(u"900000000000000"), english), 9000000000000000000);
}

TEST(Conversion, RaisesTypeMismatchForTextThatIsNoNumber)
{
    for (const char16_t* text : {u"abc", u"", u"NOW", u"1H"}) {
        const Variant value(text);
        EXPECT_EQ(errorNumberOf([&] { toI4(value, english); }), error::kTypeMismatch);
        EXPECT_EQ(errorNumberOf([&] { toR4(value, english); }), error::kTypeMismatch);
    }
    // "12,5" is a grouped 125 in English and 12.5 in German.
    EXPECT_EQ(toR4(Variant(u"12,5"), english), 125.0f);
    EXPECT_EQ(errorNumberOf([] { toR4(Variant(u"12,5,1"), german); }), error::kTypeMismatch);
    EXPECT_EQ(errorNumberOf([] { toI4(Variant::error(hresult::kParamNotFound), english); }), error::kTypeMismatch);
}

TEST(Conversion, RaisesInvalidUseOfNullForNull)
{
    EXPECT_EQ(errorNumberOf([] { toI4(Variant::null(), english); }), error::kInvalidUseOfNull);
    EXPECT_EQ(errorNumberOf([] { toR4(Variant::null(), english); }), error::kInvalidUseOfNull);
    EXPECT_EQ(errorNumberOf([] { toText(Variant::null(), english); }), error::kInvalidUseOfNull);
    EXPECT_TRUE(changeType(Variant::null(), VarType::Variant, english).isNull());
}

TEST(Conversion, RefusesObjectsAndArraysWhereAValueIsNeeded)
{
    const Ref<Object> object = makeRef<Plain>();
    EXPECT_EQ(errorNumberOf([&] { toText(Variant::dispatch(object), english); }), error::kObjectDoesNotSupport);
    EXPECT_EQ(errorNumberOf([] { toI4(Variant::dispatch({}), english); }), error::kObjectNotSet);
    const Variant array = Variant::array(std::make_shared<SafeArray>(VarType::I4, 0, 3));
    EXPECT_EQ(errorNumberOf([&] { toI4(array, english); }), error::kTypeMismatch);
}

TEST(Conversion, ReadsThroughReferences)
{
    Variant target(u"42");
    const Variant reference = Variant::reference(target);
    EXPECT_EQ(toI4(reference, english), 42);
    Variant inner(7.5);
    Variant holder = inner;
    const Variant toVariant = Variant::referenceToVariant(holder);
    EXPECT_EQ(toI2(toVariant, english), 8);
}

TEST(Conversion, ChangeTypeGivesTheRequestedTypeCode)
{
    EXPECT_EQ(changeType(Variant(u"12.5"), VarType::R4, english).vt(), code(VarType::R4));
    EXPECT_EQ(changeType(Variant(12), VarType::String, english).string(), u"12");
    EXPECT_EQ(changeType(Variant(12.5f), VarType::String, german).string(), u"12,5");
    EXPECT_EQ(changeType(Variant(1.0), VarType::Bool, english).boolean(), true);
    EXPECT_EQ(changeType(Variant(u"2026-12-06 07:05:09"), VarType::Date, english).vt(), code(VarType::Date));
    EXPECT_EQ(errorNumberOf([] { changeType(Variant(u"x"), VarType::Dispatch, english); }), error::kTypeMismatch);
}

TEST(Conversion, TurnsDatesIntoTextAndBack)
{
    const Variant stamp = changeType(Variant(u"2026-12-06 07:05:09"), VarType::Date, english);
    EXPECT_EQ(toText(stamp, english), u"2026-12-06 07:05:09");
    EXPECT_EQ(toText(Variant::date(0), english), u"00:00:00");
    EXPECT_EQ(toDate(Variant(u"06 Dec 2026"), english), toDate(Variant(u"2026-12-06"), english));
    EXPECT_EQ(toDate(Variant(u"6 dez 2026"), german), toDate(Variant(u"2026-12-06"), english));
    EXPECT_EQ(errorNumberOf([] { toDate(Variant(u"31 Apr 2026"), english); }), error::kTypeMismatch);
    EXPECT_EQ(errorNumberOf([] { toDate(Variant(1e7), english); }), error::kOverflow);
}

TEST(Conversion, RefusesToWriteADateValueOutsideTheCalendarAsText)
{
    // Such values come only from clients that build the date themselves; the
    // text of their "year" would be garbage.
    for (double outside : {1e7, -1e6, 2958466.0, -657435.0, std::nan(""), std::numeric_limits<double>::infinity()})
        EXPECT_EQ(errorNumberOf([&] { toText(Variant::date(outside), english); }), error::kOverflow) << outside;
    EXPECT_EQ(toText(Variant::date(2958465.5), english), u"9999-12-31 12:00:00");
    EXPECT_EQ(toText(Variant::date(-657434.0), english), u"0100-01-01");
}

TEST(AutomationErrors, CarryTheMemberErrorCodeAndStandardDescription)
{
    const AutomationError e = AutomationError::fromNumber(error::kKeyAlreadyAssociated);
    EXPECT_EQ(static_cast<std::uint32_t>(e.hresult()), 0x800A01C9u);
    EXPECT_EQ(e.number(), 457);
    EXPECT_EQ(e.description(), u"This key is already associated with an element of this collection");
    EXPECT_EQ(e.source(), u"CorvaneSim");
    EXPECT_EQ(standardDescription(5), u"Invalid procedure call or argument");
    EXPECT_EQ(standardDescription(6), u"Overflow");
    EXPECT_EQ(standardDescription(7), u"Out of memory");
    EXPECT_EQ(standardDescription(9), u"Subscript out of range");
    EXPECT_EQ(standardDescription(11), u"Division by zero");
    EXPECT_EQ(standardDescription(13), u"Type mismatch");
    EXPECT_EQ(standardDescription(94), u"Invalid use of Null");
    EXPECT_EQ(AutomationError(hresult::kFail, u"x").number(), 0);
}

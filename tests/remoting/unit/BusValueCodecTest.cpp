// Every Automation type written into a message and read back, the wire form
// each takes, and what the reader refuses.
#include "FakeObjects.h"
#include "MessageLoopback.h"

#include "automation/Enumerator.h"
#include "automation/HResult.h"
#include "automation/SafeArray.h"
#include "remoting/common/BusValueReader.h"
#include "remoting/common/BusValueWriter.h"
#include "remoting/common/WireBudget.h"
#include "remoting/common/WireFormatError.h"

#include <gtest/gtest.h>

#include <climits>
#include <deque>
#include <functional>
#include <limits>

using namespace corvane::automation;
using namespace corvane::remoting;
using namespace corvane::remoting::test;

namespace {

template <class T>
Variant arrayOf(VarType type, std::int32_t lowerBound, std::vector<T> elements)
{
    return Variant::array(std::make_shared<SafeArray>(type, lowerBound, std::move(elements)));
}

class BusValueCodec : public ::testing::Test {
protected:
    std::vector<Variant> roundTrip(const std::vector<Variant>& values)
    {
        WireBudget budget;
        BusMessage out = loopback.call();
        BusValueWriter(objects, budget).writeList(out, values);
        BusMessage in = loopback.arrived(std::move(out));
        return BusValueReader(objects, targets).readList(in);
    }

    // A message written by hand, as a client might send it, then read as a value.
    Variant readWritten(const std::function<void(BusMessage&)>& write)
    {
        BusMessage out = loopback.call();
        write(out);
        BusMessage in = loopback.arrived(std::move(out));
        return BusValueReader(objects, targets).read(in);
    }

    std::string signatureOf(const Variant& value)
    {
        WireBudget budget;
        BusMessage out = loopback.call();
        BusValueWriter(objects, budget).write(out, value);
        return std::string(loopback.arrived(std::move(out)).signature());
    }

    MessageLoopback loopback;
    FakeObjects objects;
    std::deque<Variant> targets;
    Ref<Object> tag = Ref<Object>(new FakeDispatch);
    Ref<Object> enumerator = Ref<Object>(new Enumerator({}));
};

TEST_F(BusValueCodec, EveryScalarAndArrayTypeSurvivesTheTrip)
{
    ASSERT_TRUE(loopback.ready());
    const std::vector<Variant> values = {
        Variant(), Variant::null(), Variant(std::int16_t{-32768}), Variant(std::int32_t{INT_MIN}), Variant(3.4028235e38f),
        Variant(-1.0e308), Variant::currency(std::numeric_limits<std::int64_t>::min()), Variant::date(45000.75),
        Variant(u"Gr\u00fc\u00dfe \u2713 \U0001D11E"), Variant(u"TIC\uFEFF"), Variant(u"\uFEFF\uFEFFTIC"), Variant(u""),
        Variant::dispatch(tag),
        Variant::dispatch({}), Variant::error(hresult::kParamNotFound), Variant::boolean(true), Variant::boolean(false),
        Variant::unknown(enumerator), Variant::unknown({}), Variant(std::uint8_t{255}),
        arrayOf<std::int16_t>(VarType::I2, -5, {1, -2, 32767}),
        arrayOf<std::int32_t>(VarType::I4, 0, {INT_MAX, INT_MIN}),
        arrayOf<float>(VarType::R4, 1, {0.5f, -1e-30f, -3.4028235e38f, std::numeric_limits<float>::infinity()}),
        arrayOf<double>(VarType::R8, 0, {1e300, 0.0}),
        arrayOf<std::int64_t>(VarType::Currency, 0, {15000, -1}),
        arrayOf<double>(VarType::Date, 0, {45000.5, -1.25}),
        arrayOf<std::u16string>(VarType::String, 0, {u"\uFEFFa", u"", u"\u00e9t\u00e9"}),
        arrayOf<Ref<Object>>(VarType::Dispatch, 0, {tag, Ref<Object>()}),
        arrayOf<std::int32_t>(VarType::Error, 0, {hresult::kParamNotFound}),
        arrayOf<std::int16_t>(VarType::Bool, 0, {-1, 0}),
        arrayOf<Variant>(VarType::Variant, 0, {Variant(), Variant::null(), Variant(u"x"), Variant::dispatch(tag), Variant(1.5)}),
        arrayOf<Ref<Object>>(VarType::Unknown, 0, {enumerator}),
        arrayOf<std::uint8_t>(VarType::UI1, 0, {0, 128, 255}),
        arrayOf<double>(VarType::R8, INT_MAX, {1.0}),  // the last index there is
        arrayOf<Variant>(VarType::Variant, 0, {}),
    };
    EXPECT_EQ(roundTrip(values), values);
}

TEST_F(BusValueCodec, ReferencesCarryTheirTypeAndTheReferencedValue)
{
    ASSERT_TRUE(loopback.ready());
    std::deque<Variant> storage = {Variant(std::int32_t{7}), Variant(u"text"), arrayOf<double>(VarType::R8, 0, {1.0, 2.0}),
                                   Variant(), arrayOf<float>(VarType::R4, 0, {1.0f})};
    const std::vector<Variant> sent = {Variant::reference(storage[0]), Variant::reference(storage[1]),
                                       Variant::reference(storage[2]), Variant::referenceToVariant(storage[3]),
                                       Variant::referenceToVariant(storage[4])};
    const std::vector<Variant> back = roundTrip(sent);
    ASSERT_EQ(back.size(), sent.size());
    for (std::size_t i = 0; i < sent.size(); ++i) {
        EXPECT_EQ(back[i].vt(), sent[i].vt()) << i;
        EXPECT_EQ(back[i].target(), sent[i].target()) << i;
    }
}

TEST_F(BusValueCodec, EachTypeTravelsInItsNaturalDBusType)
{
    ASSERT_TRUE(loopback.ready());
    // Transcribed from the contract, independently of the codec's own table.
    EXPECT_EQ(signatureOf(Variant()), "(qv)");
    EXPECT_EQ(signatureOf(arrayOf<double>(VarType::R8, 0, {1.0})), "(qv)");
    const std::vector<std::pair<Variant, std::string>> expected = {
        {Variant(), "s"}, {Variant(std::int16_t{1}), "n"}, {Variant(1.0f), "d"}, {Variant::currency(1), "x"},
        {Variant::dispatch(tag), "o"}, {Variant::boolean(true), "b"}, {Variant(std::uint8_t{1}), "y"},
        {arrayOf<std::int16_t>(VarType::Bool, 0, {-1}), "(iab)"}, {arrayOf<Variant>(VarType::Variant, 0, {}), "(ia(qv))"},
    };
    for (const auto& [value, payload] : expected) {
        WireBudget budget;
        BusMessage out = loopback.call();
        BusValueWriter(objects, budget).write(out, value);
        BusMessage in = loopback.arrived(std::move(out));
        in.enter('r', "qv");
        EXPECT_EQ(in.readUInt16(), value.vt());
        std::string contents;
        EXPECT_EQ(in.peek(&contents), 'v');
        EXPECT_EQ(contents, payload) << "type code " << value.vt();
    }
}

TEST_F(BusValueCodec, AWeekOfSamplesTravelsWhole)
{
    ASSERT_TRUE(loopback.ready());
    std::vector<double> week(40321);
    for (std::size_t i = 0; i < week.size(); ++i) week[i] = double(i) / 7;
    const Variant samples = arrayOf<double>(VarType::R8, 0, week);
    EXPECT_EQ(roundTrip({samples}), std::vector<Variant>{samples});
}

TEST_F(BusValueCodec, WriterRefusesWhatTheBusCannotCarry)
{
    ASSERT_TRUE(loopback.ready());
    WireBudget budget;
    BusValueWriter writer(objects, budget);
    // The bus library refuses noncharacters both ways, so they never leave either.
    for (const Variant& bad : {Variant(std::u16string(u"a\0b", 3)), Variant(std::u16string(1, char16_t(0xD800))),
                               Variant(u"\uFFFETIC101.PV"), Variant(u"\U0010FFFF"), Variant(u"\uFDD0"),
                               arrayOf<Variant>(VarType::Variant, 0, {arrayOf<double>(VarType::R8, 0, {1.0})})}) {
        BusMessage out = loopback.call();
        EXPECT_THROW(writer.write(out, bad), WireFormatError);
    }
    WireBudget tight;
    BusMessage out = loopback.call();
    EXPECT_THROW(BusValueWriter(objects, tight).write(out, arrayOf<double>(VarType::R8, 0, std::vector<double>(WireBudget::kMaxArrayBytes / 8 + 1))),
                 WireLimitError);
}

TEST_F(BusValueCodec, ReaderRefusesValuesOffTheWireFormat)
{
    ASSERT_TRUE(loopback.ready());
    const auto frame = [](std::uint16_t vt, const char* payload, const std::function<void(BusMessage&)>& write) {
        return [=](BusMessage& out) {
            out.open('r', "qv");
            out.appendUInt16(vt);
            out.open('v', payload);
            write(out);
            out.close();
            out.close();
        };
    };
    const std::vector<std::pair<const char*, std::function<void(BusMessage&)>>> cases = {
        {"an unknown type code", frame(0x0F, "i", [](BusMessage& out) { out.appendInt32(1); })},
        {"a Long as text", frame(3, "s", [](BusMessage& out) { out.appendText("3"); })},
        {"Empty with text", frame(0, "s", [](BusMessage& out) { out.appendText("x"); })},
        {"a Single out of range", frame(4, "d", [](BusMessage& out) { out.appendDouble(1e300); })},
        {"an array of Singles, one out of range",
         frame(0x2004, "(iad)", [](BusMessage& out) {
             const double samples[] = {1.0, -1e300, 2.0};
             out.open('r', "iad"); out.appendInt32(0); out.appendFixedArray('d', samples, sizeof samples); out.close();
         })},
        {"a path that names no object", frame(9, "o", [](BusMessage& out) { out.appendText("/fake/99", 'o'); })},
        {"a bare Variant", frame(12, "s", [](BusMessage& out) { out.appendText(""); })},
        {"a reference to Empty", frame(0x4000, "s", [](BusMessage& out) { out.appendText(""); })},
        {"an array of the wrong element type",
         frame(0x2005, "(iai)", [](BusMessage& out) { out.open('r', "iai"); out.appendInt32(0); out.open('a', "i"); out.close(); out.close(); })},
        {"an array past the last index",
         frame(0x2003, "(iai)", [](BusMessage& out) {
             const std::int32_t two[] = {1, 2};
             out.open('r', "iai"); out.appendInt32(INT_MAX); out.appendFixedArray('i', two, sizeof two); out.close();
         })},
        {"a reference inside a Variant array",
         frame(0x200C, "(ia(qv))", [&](BusMessage& out) {
             out.open('r', "ia(qv)"); out.appendInt32(0); out.open('a', "(qv)");
             out.open('r', "qv"); out.appendUInt16(0x4003); out.open('v', "i"); out.appendInt32(1); out.close(); out.close();
             out.close(); out.close();
         })},
        {"no frame at all", [](BusMessage& out) { out.appendInt32(3); }},
    };
    for (const auto& [what, write] : cases) EXPECT_THROW(readWritten(write), WireFormatError) << what;
}

}  // namespace

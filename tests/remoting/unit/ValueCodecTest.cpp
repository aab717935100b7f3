// Every Automation type through a real D-Bus connection and back, and the
// wire form each one takes.
#include "FakeObjects.h"
#include "WireLoopback.h"

#include "automation/Enumerator.h"
#include "automation/HResult.h"
#include "automation/SafeArray.h"
#include "qtwire/ValueDecoder.h"
#include "qtwire/ValueEncoder.h"
#include "remoting/common/WireBudget.h"
#include "remoting/common/WireFormatError.h"

#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <gtest/gtest.h>

#include <climits>
#include <deque>
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

class ValueCodec : public ::testing::Test {
protected:
    // Encodes, carries through the connection, decodes.
    std::vector<Variant> roundTrip(const std::vector<Variant>& values)
    {
        WireBudget budget;
        const QDBusMessage arrived = loopback.carry({ValueEncoder(objects, budget).encodedList(values)});
        return ValueDecoder(objects, targets).decodeList(arrived.arguments().at(0).value<QDBusArgument>());
    }

    // The type code and the payload of one value as it arrives.
    std::pair<quint16, QVariant> wireForm(const Variant& value)
    {
        WireBudget budget;
        received = loopback.carry({ValueEncoder(objects, budget).encoded(value)});
        const QDBusArgument frame = received.arguments().at(0).value<QDBusArgument>();
        quint16 vt = 0;
        QDBusVariant payload;
        frame.beginStructure();
        frame >> vt >> payload;
        frame.endStructure();
        return {vt, payload.variant()};
    }

    static QString signatureOf(const QVariant& payload)
    {
        if (payload.metaType() == QMetaType::fromType<QDBusArgument>())
            return payload.value<QDBusArgument>().currentSignature();
        return QString::fromLatin1(QDBusMetaType::typeToSignature(payload.metaType()));
    }

    WireLoopback loopback;
    FakeObjects objects;
    std::deque<Variant> targets;
    QDBusMessage received;
    Ref<Object> tag = Ref<Object>(new FakeDispatch);
    Ref<Object> enumerator = Ref<Object>(new Enumerator({}));
};

TEST_F(ValueCodec, EveryScalarTypeSurvivesTheTrip)
{
    ASSERT_TRUE(loopback.ready());
    const std::vector<Variant> values = {
        Variant(),
        Variant::null(),
        Variant(std::int16_t{-32768}),
        Variant(std::int32_t{INT_MIN}),
        Variant(3.4028235e38f),
        Variant(-1.0e308),
        Variant::currency(std::numeric_limits<std::int64_t>::min()),
        Variant::date(45000.75),
        Variant(u"Gr\u00fc\u00dfe \u2713 \U0001D11E"),
        Variant(u""),
        Variant::dispatch(tag),
        Variant::dispatch({}),
        Variant::error(hresult::kParamNotFound),
        Variant::boolean(true),
        Variant::boolean(false),
        Variant::unknown(enumerator),
        Variant::unknown({}),
        Variant(std::uint8_t{255}),
    };
    EXPECT_EQ(roundTrip(values), values);
}

TEST_F(ValueCodec, TextThatBeginsWithASwappedByteOrderMarkSurvivesTheTrip)
{
    ASSERT_TRUE(loopback.ready());
    // A leading U+FFFE once came back dropped and the rest of the text
    // byte-swapped ("TIC" as U+5400 U+4900 U+4300). (A leading U+FEFF is a
    // byte order mark to Qt's reading of UTF-8, which drops it on arrival.)
    const std::vector<Variant> values = {Variant(u"\uFFFETIC101.PV"), Variant(u"\uFFFE"), Variant(u"TIC\uFEFF")};
    EXPECT_EQ(roundTrip(values), values);
}

TEST_F(ValueCodec, ArraysOfEveryElementTypeKeepBoundsAndElements)
{
    ASSERT_TRUE(loopback.ready());
    const std::vector<Variant> values = {
        arrayOf<std::int16_t>(VarType::I2, -5, {1, -2, 32767}),
        arrayOf<std::int32_t>(VarType::I4, 0, {INT_MAX, INT_MIN}),
        arrayOf<float>(VarType::R4, 1, {0.5f, -1e-30f}),
        arrayOf<double>(VarType::R8, 0, {1e300, 0.0}),
        arrayOf<std::int64_t>(VarType::Currency, 0, {15000, -1}),
        arrayOf<double>(VarType::Date, 0, {45000.5, -1.25}),
        arrayOf<std::u16string>(VarType::String, 0, {u"a", u"", u"\u00e9t\u00e9"}),
        arrayOf<Ref<Object>>(VarType::Dispatch, 0, {tag, Ref<Object>()}),
        arrayOf<std::int32_t>(VarType::Error, 0, {hresult::kParamNotFound}),
        arrayOf<std::int16_t>(VarType::Bool, 0, {-1, 0}),
        arrayOf<Variant>(VarType::Variant, 0, {Variant(), Variant::null(), Variant(u"x"), Variant::dispatch(tag), Variant(1.5)}),
        arrayOf<Ref<Object>>(VarType::Unknown, 0, {enumerator}),
        arrayOf<std::uint8_t>(VarType::UI1, 0, {0, 128, 255}),
        arrayOf<double>(VarType::R8, INT_MAX, {1.0}),  // the last index there is
        arrayOf<Variant>(VarType::Variant, 0, {}),
        arrayOf<std::u16string>(VarType::String, 0, {}),
    };
    EXPECT_EQ(roundTrip(values), values);
}

TEST_F(ValueCodec, ReferencesCarryTheirTypeAndTheReferencedValue)
{
    ASSERT_TRUE(loopback.ready());
    std::deque<Variant> storage = {Variant(std::int32_t{7}), Variant(u"text"), Variant::dispatch(tag),
                                   arrayOf<double>(VarType::R8, 0, {1.0, 2.0}), Variant(), Variant(2.5f),
                                   arrayOf<float>(VarType::R4, 0, {1.0f}), arrayOf<Variant>(VarType::Variant, 0, {Variant(u"v")})};
    const std::vector<Variant> sent = {Variant::reference(storage[0]), Variant::reference(storage[1]),
                                       Variant::reference(storage[2]), Variant::reference(storage[3]),
                                       Variant::referenceToVariant(storage[4]), Variant::referenceToVariant(storage[5]),
                                       Variant::referenceToVariant(storage[6]), Variant::reference(storage[7])};
    const std::vector<Variant> back = roundTrip(sent);
    ASSERT_EQ(back.size(), sent.size());
    for (std::size_t i = 0; i < sent.size(); ++i) {
        EXPECT_EQ(back[i].vt(), sent[i].vt()) << i;
        EXPECT_EQ(back[i].target(), sent[i].target()) << i;
    }
}

TEST_F(ValueCodec, EachTypeTravelsInItsNaturalDBusType)
{
    ASSERT_TRUE(loopback.ready());
    // Transcribed from the contract, independently of the codec's own table.
    const std::vector<std::pair<Variant, const char*>> expected = {
        {Variant(), "s"},
        {Variant::null(), "s"},
        {Variant(std::int16_t{1}), "n"},
        {Variant(std::int32_t{1}), "i"},
        {Variant(1.0f), "d"},
        {Variant(1.0), "d"},
        {Variant::currency(1), "x"},
        {Variant::date(1.0), "d"},
        {Variant(u"s"), "s"},
        {Variant::dispatch(tag), "o"},
        {Variant::error(1), "i"},
        {Variant::boolean(true), "b"},
        {Variant::unknown(enumerator), "o"},
        {Variant(std::uint8_t{1}), "y"},
        {arrayOf<std::int16_t>(VarType::Bool, 0, {-1}), "(iab)"},
        {arrayOf<Variant>(VarType::Variant, 0, {}), "(ia(qv))"},
        {arrayOf<std::int64_t>(VarType::Currency, 0, {}), "(iax)"},
    };
    for (const auto& [value, signature] : expected) {
        const auto [vt, payload] = wireForm(value);
        EXPECT_EQ(vt, value.vt());
        EXPECT_EQ(signatureOf(payload), QLatin1StringView(signature)) << "type code " << value.vt();
    }
}

TEST_F(ValueCodec, WireValuesFollowTheContract)
{
    ASSERT_TRUE(loopback.ready());
    EXPECT_EQ(wireForm(Variant::currency(15000)).second.value<qlonglong>(), 15000);  // 1.5 scaled by 10,000
    EXPECT_EQ(wireForm(Variant::missing()), std::make_pair(quint16{10}, QVariant(int(-2147352572))));
    EXPECT_EQ(wireForm(Variant()).second, QVariant(QString()));
    EXPECT_EQ(wireForm(Variant::dispatch({})).second.value<QDBusObjectPath>().path(), QStringLiteral("/"));
    EXPECT_EQ(wireForm(Variant::dispatch(tag)).second.value<QDBusObjectPath>().path(), objects.pathOf(*tag));

    Variant target(u"inner");
    const auto [vt, payload] = wireForm(Variant::referenceToVariant(target));
    EXPECT_EQ(vt, 0x400C);
    EXPECT_EQ(signatureOf(payload), QStringLiteral("(qv)"));
    Variant typedTarget(std::int32_t{5});
    EXPECT_EQ(wireForm(Variant::reference(typedTarget)), std::make_pair(quint16{0x4003}, QVariant(5)));
}

TEST_F(ValueCodec, EncoderRefusesWhatTheBusCannotCarry)
{
    WireBudget budget;
    ValueEncoder encoder(objects, budget);
    QDBusArgument out;
    EXPECT_THROW(encoder.encode(out, Variant(std::u16string(u"a\0b", 3))), WireFormatError);
    EXPECT_THROW(encoder.encode(out, Variant(std::u16string(1, char16_t(0xD800)))), WireFormatError);
    EXPECT_THROW(encoder.encode(out, Variant(std::u16string(1, char16_t(0xDC00)))), WireFormatError);
    const Variant inner = arrayOf<double>(VarType::R8, 0, {1.0});
    EXPECT_THROW(encoder.encode(out, arrayOf<Variant>(VarType::Variant, 0, {inner})), WireFormatError);
    // A typed reference whose target no longer has its type.
    Variant target(std::int32_t{1});
    const Variant reference = Variant::reference(target);
    target = Variant(u"changed");
    EXPECT_THROW(encoder.encode(out, reference), WireFormatError);
}

TEST(WireBudget, RefusesArraysAndMessagesBeyondTheBusLimits)
{
    WireBudget budget;
    EXPECT_NO_THROW(budget.spendArray(WireBudget::kMaxArrayBytes));
    EXPECT_THROW(budget.spendArray(WireBudget::kMaxArrayBytes + 1), WireLimitError);
    EXPECT_NO_THROW(budget.spendArray(WireBudget::kMaxMessageBytes - WireBudget::kMaxArrayBytes));
    EXPECT_THROW(budget.spend(1), WireLimitError);
}

TEST(WireBudget, AnArrayTooLargeForTheBusIsRefusedBeforeItIsBuilt)
{
    FakeObjects objects;
    WireBudget budget;
    // 8 Mi + 1 doubles: one past the bus's 64 MiB array limit.
    const Variant large = arrayOf<double>(VarType::R8, 0, std::vector<double>((std::size_t{1} << 23) + 1));
    QDBusArgument out;
    EXPECT_THROW(ValueEncoder(objects, budget).encode(out, large), WireLimitError);
}

}  // namespace

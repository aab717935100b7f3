// Values a client could send that do not follow the wire format: each is
// refused with WireFormatError, none crashes the reader.
#include "FakeObjects.h"
#include "WireLoopback.h"

#include "automation/Enumerator.h"
#include "qtwire/ValueDecoder.h"
#include "remoting/common/WireFormatError.h"
#include "qtwire/WireValueFrame.h"

#include <QDBusObjectPath>
#include <QDBusVariant>
#include <gtest/gtest.h>

#include <cctype>
#include <climits>
#include <malloc.h>
#include <deque>
#include <functional>

using namespace corvane::automation;
using namespace corvane::remoting;
using namespace corvane::remoting::test;

namespace {

// A (qv) written by hand, with any payload at all.
QVariant frame(quint16 vt, const QVariant& payload)
{
    QDBusArgument out;
    out.beginStructure();
    out << vt << QDBusVariant(payload);
    out.endStructure();
    return QVariant::fromValue(out);
}

template <class T>
QVariant structure(qint32 lowerBound, const QList<T>& elements)
{
    QDBusArgument out;
    out.beginStructure();
    out << lowerBound << elements;
    out.endStructure();
    return QVariant::fromValue(out);
}

QVariant frames(const QVariantList& values)
{
    registerWireTypes();
    QDBusArgument out;
    out.beginArray(QMetaType::fromType<WireValueFrame>());
    for (const QVariant& value : values) {
        // Each is a finished (qv); copy it in as it is.
        out.appendVariant(value);
    }
    out.endArray();
    return QVariant::fromValue(out);
}

// (i a(qv)): the payload of an array of Variants.
QVariant variantArray(qint32 lowerBound, const QVariantList& elements)
{
    registerWireTypes();
    QDBusArgument out;
    out.beginStructure();
    out << lowerBound;
    out.beginArray(QMetaType::fromType<WireValueFrame>());
    for (const QVariant& element : elements) out.appendVariant(element);
    out.endArray();
    out.endStructure();
    return QVariant::fromValue(out);
}

struct Case {
    const char* what;
    const char* reason;  // part of the error's message
    std::function<QVariant(const QString& enumeratorPath)> list;  // an a(qv), or anything else
};

void PrintTo(const Case& value, std::ostream* out) { *out << value.what; }

class MalformedValue : public ::testing::TestWithParam<Case> {
protected:
    WireLoopback loopback;
    FakeObjects objects;
    Ref<Object> enumerator = Ref<Object>(new Enumerator({}));
};

TEST_P(MalformedValue, IsRefusedWithoutHarm)
{
    ASSERT_TRUE(loopback.ready());
    const QDBusMessage received = loopback.carry({GetParam().list(objects.pathOf(*enumerator))});
    ASSERT_EQ(received.arguments().size(), 1);
    std::deque<Variant> targets;
    ValueDecoder decoder(objects, targets);
    const QDBusArgument argument = received.arguments().at(0).value<QDBusArgument>();
    try {
        decoder.decodeList(argument);
        ADD_FAILURE() << "accepted " << GetParam().what;
    } catch (const WireFormatError& error) {
        EXPECT_TRUE(error.message().contains(QLatin1StringView(GetParam().reason))) << error.what();
    }
}

const Case kCases[] = {
    {"an I4 sent as text", "type 3 must travel as D-Bus type i", [](auto&) { return frames({frame(3, QStringLiteral("1"))}); }},
    {"an I2 sent as I4", "type 2 must travel as D-Bus type n", [](auto&) { return frames({frame(2, 1)}); }},
    {"a Boolean sent as a byte", "type 11 must travel as D-Bus type b", [](auto&) { return frames({frame(11, QVariant::fromValue(uchar(1)))}); }},
    {"an unknown type code", "unknown type code 0x000e", [](auto&) { return frames({frame(14, QString())}); }},
    {"a type code with unknown high bits", "unknown type code 0x8003", [](auto&) { return frames({frame(0x8003, 1)}); }},
    {"a Variant (12) on its own", "unknown type code 0x000c", [](auto&) { return frames({frame(12, QString())}); }},
    {"a reference to Empty", "no reference of type 0x4000", [](auto&) { return frames({frame(0x4000, QString())}); }},
    {"a reference to Null", "no reference of type 0x4001", [](auto&) { return frames({frame(0x4001, QString())}); }},
    {"a reference inside a Variant reference", "may only be an argument itself", [](auto&) { return frames({frame(0x400C, frame(0x4003, 1))}); }},
    {"a Variant reference without a nested value", "must have signature (qv)", [](auto&) { return frames({frame(0x400C, 1)}); }},
    {"an array inside an array of Variants", "cannot be an array element",
     [](auto&) { return frames({frame(0x200C, variantArray(0, {frame(0x2003, structure<int>(0, {1}))}))}); }},
    {"a reference inside an array of Variants", "may only be an argument itself",
     [](auto&) { return frames({frame(0x200C, variantArray(0, {frame(0x4003, 1)}))}); }},
    {"an array whose elements have the wrong type", "not \"(ias)\"", [](auto&) { return frames({frame(0x2003, structure<QString>(0, {"a"}))}); }},
    {"an array without its lower bound", "not \"ai\"", [](auto&) { return frames({frame(0x2003, QVariant::fromValue(QList<int>{1}))}); }},
    {"an array running past the largest index", "runs past the largest index", [](auto&) { return frames({frame(0x2003, structure<int>(INT_MAX, {1, 2}))}); }},
    {"an array of Empty", "unknown type code 0x2000", [](auto&) { return frames({frame(0x2000, structure<QString>(0, {""}))}); }},
    {"Empty carrying a text", "travel as the empty text", [](auto&) { return frames({frame(0, QStringLiteral("x"))}); }},
    {"a Single out of range", "out of the range of a Single", [](auto&) { return frames({frame(4, 1e300)}); }},
    {"an array of Singles with one out of range", "out of the range of a Single", [](auto&) { return frames({frame(0x2004, structure<double>(0, {1.0, -1e300}))}); }},
    {"a path that names no object", "no object lives at /nowhere", [](auto&) { return frames({frame(9, QVariant::fromValue(QDBusObjectPath("/nowhere")))}); }},
    {"an enumerator passed as a dispatch object", "has no dispatch interface",
     [](const QString& path) { return frames({frame(9, QVariant::fromValue(QDBusObjectPath(path)))}); }},
    {"an object sent as text", "type 9 must travel as D-Bus type o", [](auto&) { return frames({frame(9, QStringLiteral("/fake/1"))}); }},
    {"a list that is not a(qv)", "not \"ai\"", [](auto&) { return QVariant::fromValue(QList<int>{1, 2}); }},
    {"a value that is not (qv)", "not \"av\"",
     [](auto&) {
         QDBusArgument out;
         out.beginArray(QMetaType::fromType<QDBusVariant>());
         out << QDBusVariant(1);
         out.endArray();
         return QVariant::fromValue(out);
     }},
};

// "an I4 sent as text" -> "AnI4SentAsText"
std::string testName(const ::testing::TestParamInfo<Case>& info)
{
    std::string name;
    bool capital = true;
    for (const char* c = info.param.what; *c; ++c) {
        if (!std::isalnum(static_cast<unsigned char>(*c))) {
            capital = true;
            continue;
        }
        name += capital ? char(std::toupper(static_cast<unsigned char>(*c))) : *c;
        capital = false;
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(EveryKind, MalformedValue, ::testing::ValuesIn(kCases), testName);

// Bytes the allocator has handed out and not taken back.
std::size_t bytesInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

TEST(MalformedMessage, IsLetGoOnceRefused)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "LeakSanitizer watches this under AddressSanitizer, whose allocator mallinfo2 does not see";
#endif
    // A megabyte of good values, then a frame the decoder refuses inside the
    // list and inside an array: a refusal once kept the whole message.
    WireLoopback loopback;
    ASSERT_TRUE(loopback.ready());
    FakeObjects objects;
    const QList<int> megabyte(1 << 18, 7);
    const QVariant list = frames({frame(0x2003, structure<int>(0, megabyte)),
                                  frame(0x200C, variantArray(0, {frame(3, 1), frame(14, QString())}))});
    const auto refuseOnce = [&] {
        const QDBusMessage received = loopback.carry({list});
        std::deque<Variant> targets;
        EXPECT_THROW(ValueDecoder(objects, targets).decodeList(received.arguments().at(0).value<QDBusArgument>()),
                     WireFormatError);
    };
    refuseOnce();
    const std::size_t before = bytesInUse();
    for (int i = 0; i < 32; ++i) refuseOnce();
    EXPECT_LT(bytesInUse(), before + (4u << 20)) << "refused messages are still held";
}

}  // namespace

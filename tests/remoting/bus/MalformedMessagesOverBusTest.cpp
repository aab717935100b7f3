// Messages a client could send that break the contract: each gets an error
// reply, and the server goes on serving.
#include "BusFixture.h"

#include "qtwire/WireValueFrame.h"

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusVariant>

using namespace corvane::automation;
using namespace corvane::remoting;
using namespace corvane::remoting::test;
namespace m = corvane::remoting::test::member;

namespace {

const QString kDispatch = QStringLiteral("org.corvane.Automation1.Dispatch");
const QString kInvalidArgs = QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs");

// An a(qv) holding one hand-written (qv).
QVariant oneValue(quint16 vt, const QVariant& payload)
{
    registerWireTypes();
    QDBusArgument out;
    out.beginArray(QMetaType::fromType<WireValueFrame>());
    out.beginStructure();
    out << vt << QDBusVariant(payload);
    out.endStructure();
    out.endArray();
    return QVariant::fromValue(out);
}


using MalformedMessages = BusFixture;

TEST_F(MalformedMessages, GetErrorRepliesAndTheServerServesOn)
{
    const QString tags = tagsOf(createData());
    const QVariant ids = QVariant::fromValue(QList<int>{});
    const auto invoke = [&](const QVariantList& arguments) {
        return client->call(tags, kDispatch, QStringLiteral("Invoke"), arguments).errorName();
    };
    const quint16 get = m::kGet;

    // Wrong signatures.
    EXPECT_EQ(invoke({QStringLiteral("Count")}), kInvalidArgs);
    EXPECT_EQ(invoke({m::kTagsCount, get, oneValue(3, 1)}), kInvalidArgs);  // namedIds left out
    EXPECT_EQ(client->call(QStringLiteral("/org/corvane/CorvaneSim"), QStringLiteral("org.corvane.Automation1.ClassFactory"),
                           QStringLiteral("CreateInstance"), {42})
                  .errorName(),
              kInvalidArgs);
    EXPECT_EQ(client->call(tags, kDispatch, QStringLiteral("GetIDsOfNames"), {QStringList()}).errorName(), kInvalidArgs);
    EXPECT_EQ(client->call(tags, QStringLiteral("org.corvane.Automation1.Object"), QStringLiteral("Release"), {1}).errorName(),
              kInvalidArgs);

    // Malformed values inside a well-formed call.
    EXPECT_EQ(invoke({m::kTagsItem, get, oneValue(14, QString()), ids}), kInvalidArgs);
    EXPECT_EQ(invoke({m::kTagsItem, get, oneValue(3, QStringLiteral("one")), ids}), kInvalidArgs);
    EXPECT_EQ(invoke({m::kTagsItem, get, oneValue(9, QVariant::fromValue(QDBusObjectPath("/org/corvane/CorvaneSim/Tag/0"))), ids}),
              kInvalidArgs);
    EXPECT_EQ(invoke({m::kTagsItem, get, oneValue(3, 1), QVariant::fromValue(QList<int>{-3, 0})}), kInvalidArgs);

    // Unknown objects, interfaces and methods.
    EXPECT_EQ(client->call(QStringLiteral("/org/corvane/CorvaneSim/Tags/0123"), kDispatch, QStringLiteral("GetTypeInfo")).errorName(),
              QStringLiteral("org.freedesktop.DBus.Error.UnknownObject"));
    EXPECT_EQ(client->call(tags, QStringLiteral("org.corvane.Automation1.EnumVARIANT"), QStringLiteral("Next"), {1u}).errorName(),
              QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"));
    EXPECT_EQ(client->call(tags, kDispatch, QStringLiteral("Explode")).errorName(),
              QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"));

    // Still serving, and a call that leaves out the interface works too.
    EXPECT_EQ(client->invoke(tags, m::kTagsCount, m::kGet).result, Variant(std::int32_t{0}));
    EXPECT_EQ(client->call(tags, QString(), QStringLiteral("AddRef")).arguments().value(0).toUInt(), 2u);
}

}  // namespace

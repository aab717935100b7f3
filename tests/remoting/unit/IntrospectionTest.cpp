// The introspection documents say what the server accepts: each method's
// signature as the handlers insist on it, and the Automation interface
// behind a dispatch object, member by member.
#include "remoting/common/BusContract.h"
#include "remoting/server/Introspection.h"
#include "typelib/TypeLibrary.h"

#include <QMap>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::remoting;

namespace {

struct Document {
    QMap<QString, QString> inSignatures;   // "Interface.Method" -> concatenated in-arguments
    QMap<QString, QString> outSignatures;
    QStringList annotations;               // values, in order
    bool wellFormed = false;
};

Document parse(const QString& xml)
{
    Document document;
    QXmlStreamReader reader(xml);
    QString interface, method;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement) continue;
        const auto attributes = reader.attributes();
        if (reader.name() == QLatin1StringView("interface")) interface = attributes.value("name").toString();
        if (reader.name() == QLatin1StringView("method")) {
            method = interface + QLatin1Char('.') + attributes.value("name").toString();
            document.inSignatures[method];
            document.outSignatures[method];
        }
        if (reader.name() == QLatin1StringView("arg")) {
            auto& signatures = attributes.value("direction") == QLatin1StringView("out") ? document.outSignatures
                                                                                        : document.inSignatures;
            signatures[method] += attributes.value("type").toString();
        }
        if (reader.name() == QLatin1StringView("annotation")) document.annotations << attributes.value("value").toString();
    }
    document.wellFormed = !reader.hasError();
    return document;
}

QString key(const char* interface, const char* method) { return QLatin1StringView(interface) + QLatin1Char('.') + QLatin1StringView(method); }

TEST(Introspection, RootOffersTheClassFactoryWithTheContractsSignatures)
{
    const Document root = parse(introspection::rootNode());
    ASSERT_TRUE(root.wellFormed);
    const QString create = key(contract::kClassFactoryInterface, "CreateInstance");
    EXPECT_EQ(root.inSignatures.value(create), QLatin1StringView(contract::kCreateInstanceSignature));
    EXPECT_EQ(root.outSignatures.value(create), QStringLiteral("io(iss)"));
    EXPECT_FALSE(root.inSignatures.contains(key(contract::kDispatchInterface, "Invoke")));
}

TEST(Introspection, DispatchObjectsDescribeTheCallsTheServerAccepts)
{
    const Document tags = parse(introspection::dispatchObjectNode(typelib::kTagsInterface));
    ASSERT_TRUE(tags.wellFormed);
    EXPECT_EQ(tags.inSignatures.value(key(contract::kDispatchInterface, "Invoke")),
              QLatin1StringView(contract::kInvokeSignature));
    EXPECT_EQ(tags.outSignatures.value(key(contract::kDispatchInterface, "Invoke")), QStringLiteral("i(qv)a(qv)(iss)u"));
    EXPECT_EQ(tags.inSignatures.value(key(contract::kDispatchInterface, "GetIDsOfNames")),
              QLatin1StringView(contract::kGetIDsOfNamesSignature));
    EXPECT_EQ(tags.outSignatures.value(key(contract::kDispatchInterface, "GetTypeInfo")),
              QLatin1StringView(contract::kTypeInfoSignature));
    EXPECT_EQ(tags.outSignatures.value(key(contract::kObjectInterface, "Release")), QStringLiteral("u"));
    EXPECT_FALSE(tags.inSignatures.contains(key(contract::kEnumVariantInterface, "Next")));
}

TEST(Introspection, DispatchObjectsNameEveryMemberOfTheirInterfaceInOrder)
{
    for (const auto* interface : {&typelib::kDataInterface, &typelib::kTagInterface, &typelib::kTagsInterface,
                                  &typelib::kTagDefinitionInterface, &typelib::kSimServerInterface}) {
        const Document document = parse(introspection::dispatchObjectNode(*interface));
        ASSERT_EQ(document.annotations.size(), qsizetype(interface->members.size()) + 1);
        EXPECT_TRUE(document.annotations.front().startsWith(QString::fromUtf16(interface->name.data(), interface->name.size())));
        for (std::size_t i = 0; i < interface->members.size(); ++i) {
            const auto& member = interface->members[i];
            EXPECT_TRUE(document.annotations[qsizetype(i) + 1].startsWith(
                QString::fromUtf16(member.name.data(), member.name.size()) + QLatin1Char(' ')));
        }
    }
    EXPECT_TRUE(parse(introspection::dispatchObjectNode(typelib::kTagsInterface))
                    .annotations.contains(QStringLiteral("Item method 0x00000000 (ByVal Index As Variant) As _Tag [default]")));
}

TEST(Introspection, EnumeratorsOfferEnumVariantWithTheContractsSignatures)
{
    const Document enumerator = parse(introspection::enumeratorNode());
    ASSERT_TRUE(enumerator.wellFormed);
    EXPECT_EQ(enumerator.inSignatures.value(key(contract::kEnumVariantInterface, "Next")),
              QLatin1StringView(contract::kCountSignature));
    EXPECT_EQ(enumerator.outSignatures.value(key(contract::kEnumVariantInterface, "Next")), QStringLiteral("a(qv)"));
    EXPECT_EQ(enumerator.outSignatures.value(key(contract::kEnumVariantInterface, "Skip")), QStringLiteral("b"));
    EXPECT_EQ(enumerator.outSignatures.value(key(contract::kEnumVariantInterface, "Clone")), QStringLiteral("o"));
    EXPECT_FALSE(enumerator.inSignatures.contains(key(contract::kDispatchInterface, "Invoke")));
}

}  // namespace

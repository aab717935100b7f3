// The dispatch rules of the Automation interface, as a client on the bus
// meets them.
#include "BusFixture.h"

#include "automation/AutomationDate.h"
#include "automation/SafeArray.h"

using namespace corvane::automation;
using namespace corvane::remoting::test;
namespace m = corvane::remoting::test::member;

namespace {

constexpr qint32 kMemberNotFound = qint32(0x80020003);
constexpr qint32 kTypeMismatch = qint32(0x80020005);
constexpr qint32 kUnknownName = qint32(0x80020006);
constexpr qint32 kException = qint32(0x80020009);
constexpr qint32 kBadParamCount = qint32(0x8002000E);

class DispatchRules : public BusFixture {
protected:
    void SetUp() override
    {
        BusFixture::SetUp();
        data = createData();
        tags = tagsOf(data);
        ASSERT_FALSE(tags.isEmpty());
    }

    qint32 count() { return client->invoke(tags, m::kTagsCount, m::kGet).result.i4(); }

    QString data;
    QString tags;
};

TEST_F(DispatchRules, TagsCalledWithAnIndexAndNoMemberNameActsAsItem)
{
    addTag(tags, u"TIC101.PV");
    const QString second = addTag(tags, u"FIC202.PV");
    const auto byPosition = client->invoke(tags, m::kTagsItem, m::kMethod | m::kGet, {Variant(std::int32_t{2})});
    EXPECT_EQ(byPosition.hresult, 0);
    EXPECT_EQ(TestClient::pathIn(byPosition.result), second);
    const auto byKey = client->invoke(tags, m::kTagsItem, m::kMethod | m::kGet, {Variant(u"fic202.pv")});
    EXPECT_EQ(TestClient::pathIn(byKey.result), second);
}

TEST_F(DispatchRules, ForEachVisitsTheTagsInTheOrderOfAddition)
{
    const QStringList added = {addTag(tags, u"C"), addTag(tags, u"A"), addTag(tags, u"B")};
    const auto enumerated = client->invoke(tags, m::kTagsNewEnum, m::kMethod | m::kGet);
    ASSERT_EQ(enumerated.hresult, 0);
    EXPECT_EQ(enumerated.result.vt(), 13);  // an object without dispatch
    const QString enumerator = TestClient::pathIn(enumerated.result);

    QStringList visited;
    for (std::vector<Variant> item = client->next(enumerator, 1); !item.empty(); item = client->next(enumerator, 1)) {
        ASSERT_EQ(item.size(), 1u);
        EXPECT_EQ(item.front().vt(), 9);
        visited << TestClient::pathIn(item.front());
    }
    EXPECT_EQ(visited, added);
    EXPECT_TRUE(client->next(enumerator, 4000000000u).empty());  // asks for more than there are
}

TEST_F(DispatchRules, Put0TakesOneTwoOrThreeArguments)
{
    const QString tag = addTag(tags, u"TIC101.PV");
    const Variant now = Variant::date(45000.5);
    EXPECT_EQ(client->invoke(tag, m::kTagPut0, m::kMethod, {Variant(1.5)}).hresult, 0);
    EXPECT_EQ(client->invoke(tag, m::kTagConfidence, m::kGet).result, Variant(std::int32_t{100}));  // varConfidence missing
    EXPECT_EQ(client->invoke(tag, m::kTagPut0, m::kMethod, {Variant(2.5), now}).hresult, 0);
    EXPECT_EQ(client->invoke(tag, m::kTagPut0, m::kMethod, {Variant(3.5), now, Variant(std::int32_t{42})}).hresult, 0);
    EXPECT_EQ(client->invoke(tag, m::kTagPV, m::kGet).result, Variant(3.5f));
    EXPECT_EQ(client->invoke(tag, m::kTagConfidence, m::kGet).result, Variant(std::int32_t{42}));

    EXPECT_EQ(client->invoke(tag, m::kTagPut0, m::kMethod).hresult, kBadParamCount);
    EXPECT_EQ(client->invoke(tag, m::kTagPut0, m::kMethod, {Variant(1.0), now, Variant(1.0), Variant(1.0)}).hresult,
              kBadParamCount);
}

TEST_F(DispatchRules, AddTakesOneOrTwoArgumentsAndRefusesThree)
{
    EXPECT_EQ(client->invoke(tags, m::kTagsAdd, m::kMethod, {Variant(u"ONE")}).hresult, 0);
    EXPECT_EQ(client->invoke(tags, m::kTagsAdd, m::kMethod, {Variant(u"TWO"), Variant(u"key2")}).hresult, 0);
    EXPECT_EQ(client->invoke(tags, m::kTagsAdd, m::kMethod, {Variant(u"THREE"), Variant(u"k"), Variant(u"x")}).hresult,
              kBadParamCount);
    EXPECT_EQ(count(), 2);
}

TEST_F(DispatchRules, SimServerDataRefusesAPutByReferenceAndAcceptsAPlainPut)
{
    const TestClient::Created server = client->create(QStringLiteral("CorvaneSim.SimServer"));
    ASSERT_EQ(server.hresult, 0);
    EXPECT_EQ(client->getObject(server.path, m::kSimServerData), QStringLiteral("/"));  // empty at first
    EXPECT_EQ(client->put(server.path, m::kSimServerData, client->object(data), m::kPutRef).hresult, kMemberNotFound);
    EXPECT_EQ(client->getObject(server.path, m::kSimServerData), QStringLiteral("/"));
    EXPECT_EQ(client->put(server.path, m::kSimServerData, client->object(data)).hresult, 0);
    EXPECT_EQ(client->getObject(server.path, m::kSimServerData), data);
}

TEST_F(DispatchRules, PutsOfReadOnlyPropertiesAreRefusedWithMemberNotFound)
{
    const QString tag = addTag(tags, u"TIC101.PV");
    const QString definition = client->getObject(tag, m::kTagTagDefinition);
    const std::vector<std::pair<QString, qint32>> readOnly = {
        {data, m::kDataTags},
        {tag, m::kTagTagName},
        {definition, m::kDefinitionHighExtreme},
        {definition, m::kDefinitionLowExtreme},
        {definition, m::kDefinitionDescription},
        {tags, m::kTagsCount},
    };
    for (const auto& [object, id] : readOnly) {
        EXPECT_EQ(client->put(object, id, Variant(u"x")).hresult, kMemberNotFound) << std::hex << id;
    }
    EXPECT_EQ(count(), 1);
}

TEST_F(DispatchRules, AVariantReferenceToAStringParameterIsRefusedAndTheSameTextByValueAccepted)
{
    const QString tag = addTag(tags, u"TIC101.PV");
    const QString definition = client->getObject(tag, m::kTagTagDefinition);
    const std::vector<std::pair<QString, qint32>> stringByReference = {
        {tags, m::kTagsAdd}, {tag, m::kTagDefine}, {definition, m::kDefinitionGetTagDefinition}};
    for (const auto& [object, id] : stringByReference) {
        Variant text(u"FIC202.PV");
        const auto refused = client->invoke(object, id, m::kMethod, {Variant::referenceToVariant(text)});
        EXPECT_EQ(refused.hresult, kTypeMismatch) << std::hex << id;
        EXPECT_EQ(refused.argErr, 0u);
        EXPECT_EQ(refused.args.at(0).vt(), 0x400C);  // returned with its type code
        Variant typed(u"FIC303.PV");
        EXPECT_EQ(client->invoke(object, id, m::kMethod, {Variant::reference(typed)}).hresult, 0) << std::hex << id;
        EXPECT_EQ(client->invoke(object, id, m::kMethod, {Variant(u"FIC404.PV")}).hresult, 0) << std::hex << id;
    }
}

TEST_F(DispatchRules, MemberNamesAreFoundInAnyLetterCase)
{
    std::vector<qint32> ids;
    for (const char* name : {"count", "COUNT", "Count"}) {
        EXPECT_EQ(client->idsOfNames(tags, {QString::fromLatin1(name)}, ids), 0);
        EXPECT_EQ(ids, std::vector<qint32>{m::kTagsCount}) << name;
    }
    EXPECT_EQ(client->idsOfNames(tags, {QStringLiteral("add"), QStringLiteral("VARKEY"), QStringLiteral("strTag")}, ids), 0);
    EXPECT_EQ(ids, (std::vector<qint32>{m::kTagsAdd, 1, 0}));
    EXPECT_EQ(client->idsOfNames(tags, {QStringLiteral("Count"), QStringLiteral("nothing")}, ids), kUnknownName);
    EXPECT_EQ(ids, (std::vector<qint32>{m::kTagsCount, -1}));
    // A leading U+FEFF is part of the name, not a byte order mark to drop.
    EXPECT_EQ(client->idsOfNames(tags, {QChar(0xFEFF) + QStringLiteral("Count")}, ids), kUnknownName);
}

TEST_F(DispatchRules, UnpackResultsFillsThreeVariantReferencesWithArrays)
{
    const QString tag = addTag(tags, u"TIC101.PV");
    ASSERT_EQ(client->put(data, m::kDataStartTime, Variant::date(45000.0)).hresult, 0);
    ASSERT_EQ(client->put(data, m::kDataEndTime, Variant::date(45000.0 + 60.0 / 86400)).hresult, 0);
    ASSERT_EQ(client->put(data, m::kDataSampleFrequency, Variant(std::int32_t{15})).hresult, 0);

    Variant values, timestamps, confidences;
    const auto unpacked = client->invoke(tag, m::kTagUnpackResults, m::kMethod,
                                         {Variant::referenceToVariant(values), Variant::referenceToVariant(timestamps),
                                          Variant::referenceToVariant(confidences)});
    ASSERT_EQ(unpacked.hresult, 0) << unpacked.exception.description.toStdString();
    ASSERT_EQ(unpacked.args.size(), 3u);
    const std::uint16_t expected[] = {0x2004, 0x2007, 0x2002};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(unpacked.args[i].vt(), 0x400C);
        EXPECT_EQ(unpacked.args[i].target().vt(), expected[i]);
        EXPECT_EQ(unpacked.args[i].target().array()->size(), 5u);  // a minute in steps of 15 seconds
    }
    EXPECT_EQ(unpacked.args[1].target().array()->at(0), Variant::date(45000.0));
}

TEST_F(DispatchRules, AnErrorInsideAMemberComesBackAsItsNumberWithItsDescription)
{
    const auto failed = client->invoke(tags, m::kTagsItem, m::kMethod | m::kGet, {Variant(std::int32_t{5})});
    EXPECT_EQ(failed.hresult, kException);
    EXPECT_EQ(failed.exception.code, qint32(0x800A0009));
    EXPECT_EQ(failed.exception.description, QStringLiteral("Subscript out of range"));
    EXPECT_EQ(failed.result.vt(), 0);
    EXPECT_EQ(failed.args.at(0), Variant(std::int32_t{5}));  // returned unchanged
}

}  // namespace

#include "DispatchFixture.h"
#include "automation/Dispatcher.h"
#include "automation/Enumerator.h"
#include "automation/HResult.h"
#include "automation/SafeArray.h"
#include "server/SimServer.h"
#include "typelib/TypeLibrary.h"
#include "session/Data.h"
#include "tags/TagDefinition.h"
#include "tags/Tags.h"

using namespace corvane;
using namespace corvane::testing;
using namespace corvane::automation;

using DispatcherTest = DispatchFixture;

TEST_F(DispatcherTest, FindsMembersAndParametersInAnyLetterCase)
{
    for (const char16_t* name : {u"count", u"COUNT", u"Count"}) EXPECT_EQ(idOf(*tags, name), 0x68030000);
    std::vector<DispId> ids;
    const std::u16string put0[] = {u"put0", u"VARCONFIDENCE", u"varVal"};
    EXPECT_EQ(dispatch::getIDsOfNames(typelib::kTagInterface, put0, ids), hresult::kOk);
    EXPECT_EQ(ids, (std::vector<DispId>{0x6003000B, 2, 0}));
    const std::u16string unknown[] = {u"Add", u"nope"};
    EXPECT_EQ(dispatch::getIDsOfNames(typelib::kTagsInterface, unknown, ids), hresult::kUnknownName);
    EXPECT_EQ(ids, (std::vector<DispId>{0x60030002, kDispIdUnknown}));
    // Each interface resolves its own members of the same name.
    EXPECT_EQ(idOf(*tag, u"Units"), 0x68030004);
    EXPECT_EQ(idOf(*tag->TagDefinition(), u"units"), 0x68030003);
}

TEST_F(DispatcherTest, CallsItemWhenTagsIsInvokedWithAnIndexAndNoName)
{
    const InvokeOutcome outcome = dispatch::invoke(*tags, kDispIdValue, kMethod | kGet, lastArgs = {Variant(1)}, {}, *regional);
    ASSERT_EQ(outcome.hresult, hresult::kOk);
    EXPECT_EQ(outcome.result.vt(), code(VarType::Dispatch));
    EXPECT_EQ(outcome.result.object(), Ref<Object>(tag));
    EXPECT_EQ(dispatch::invoke(*tag, kDispIdValue, kMethod | kGet, lastArgs = {}, {}, *regional).hresult,
              hresult::kMemberNotFound);
}

TEST_F(DispatcherTest, EnumeratesTagsInTheOrderOfAddition)
{
    tags->Add(u"10PT101", Variant::missing());
    tags->Add(u"01LIC7", Variant::missing());
    const InvokeOutcome outcome = dispatch::invoke(*tags, kDispIdNewEnum, kMethod | kGet, lastArgs = {}, {}, *regional);
    ASSERT_EQ(outcome.hresult, hresult::kOk);
    EXPECT_EQ(outcome.result.vt(), code(VarType::Unknown));
    const Ref<Enumerator> enumerator = refCast<Enumerator>(outcome.result.object());
    std::vector<std::u16string> names;
    for (const Variant& item : enumerator->Next(10)) {
        EXPECT_EQ(item.vt(), code(VarType::Dispatch));
        names.push_back(refCast<Tag>(item.object())->TagName());
    }
    EXPECT_EQ(names, (std::vector<std::u16string>{u"TIC101.PV", u"10PT101", u"01LIC7"}));
}

TEST_F(DispatcherTest, PassesLeftOutOptionalArgumentsAsTheMissingMarker)
{
    EXPECT_EQ(call(*tag, u"Put0", kMethod, {Variant(1.5)}).hresult, hresult::kOk);
    EXPECT_EQ(tag->Confidence(), 100);
    EXPECT_EQ(call(*tag, u"Put0", kMethod, {Variant(2.5), Variant(u"whenever")}).hresult, hresult::kOk);
    EXPECT_EQ(call(*tag, u"Put0", kMethod, {Variant(3.5), Variant(), Variant(40)}).hresult, hresult::kOk);
    EXPECT_EQ(tag->Confidence(), 40);
    // Named: the value and the confidence, leaving the time out.
    EXPECT_EQ(call(*tag, u"Put0", kMethod, {Variant(60), Variant(4.5)}, {2, 0}).hresult, hresult::kOk);
    EXPECT_EQ(tag->PV(), 4.5f);
    EXPECT_EQ(tag->Confidence(), 60);
    EXPECT_EQ(call(*tag, u"Put0", kMethod, {Variant(1), Variant(2), Variant(3), Variant(4)}).hresult,
              hresult::kBadParamCount);
    // Named arguments that leave a required one out are too few.
    EXPECT_EQ(call(*tag, u"Put0", kMethod, {Variant(60)}, {2}).hresult, hresult::kBadParamCount);
    const InvokeOutcome unknownName = call(*tag, u"Put0", kMethod, {Variant(1), Variant(2)}, {7});
    EXPECT_EQ(unknownName.hresult, hresult::kParamNotFound);
    EXPECT_EQ(unknownName.argErr, 1u);
}

TEST_F(DispatcherTest, RefusesAddWithThreeArguments)
{
    EXPECT_EQ(call(*tags, u"Add", kMethod, {Variant(u"A"), Variant(u"k"), Variant(1)}).hresult, hresult::kBadParamCount);
    EXPECT_EQ(call(*tags, u"Add", kMethod, {}).hresult, hresult::kBadParamCount);
    EXPECT_EQ(tags->Count(), 1);
    EXPECT_EQ(call(*tags, u"Add", kMethod, {Variant(u"A"), Variant(u"k")}).hresult, hresult::kOk);
}

TEST_F(DispatcherTest, TakesTheServersDataByPlainPutOnly)
{
    const Ref<SimServer> own = SimServer::Create(process);
    EXPECT_EQ(call(*own, u"Data", kPutRef, {Variant::dispatch(session)}, {kDispIdPropertyPut}).hresult,
              hresult::kMemberNotFound);
    EXPECT_FALSE(own->Data());
    EXPECT_EQ(put(*own, u"Data", Variant::dispatch(tag)).hresult, hresult::kTypeMismatch);
    EXPECT_EQ(put(*own, u"Data", Variant(5)).hresult, hresult::kTypeMismatch);
    EXPECT_EQ(put(*own, u"Data", Variant::dispatch(session)).hresult, hresult::kOk);
    EXPECT_EQ(own->Data(), session);
    const InvokeOutcome got = call(*own, u"Data", kMethod | kGet);
    EXPECT_EQ(got.result.object(), Ref<Object>(session));
    EXPECT_EQ(put(*own, u"Data", Variant::dispatch({})).hresult, hresult::kOk);  // Nothing
    EXPECT_FALSE(own->Data());
}

TEST_F(DispatcherTest, RefusesAVariantReferenceForAStringParameter)
{
    Variant byScript(u"10PT101");
    EXPECT_EQ(call(*tags, u"Add", kMethod, {Variant::referenceToVariant(byScript)}).hresult, hresult::kTypeMismatch);
    EXPECT_EQ(call(*tag, u"Define", kMethod, {Variant::referenceToVariant(byScript)}).hresult, hresult::kTypeMismatch);
    EXPECT_EQ(call(*tag->TagDefinition(), u"GetTagDefinition", kMethod, {Variant::referenceToVariant(byScript)}).hresult,
              hresult::kTypeMismatch);
    Variant number(5);
    EXPECT_EQ(call(*tag, u"Define", kMethod, {Variant::reference(number)}).hresult, hresult::kTypeMismatch);
    EXPECT_EQ(tags->Count(), 1);

    EXPECT_EQ(call(*tags, u"Add", kMethod, {Variant(u"10PT101")}).hresult, hresult::kOk);
    Variant exact(u"01LIC7");
    EXPECT_EQ(call(*tags, u"Add", kMethod, {Variant::reference(exact)}).hresult, hresult::kOk);
    EXPECT_EQ(call(*tag, u"Define", kMethod, {Variant(42)}).hresult, hresult::kOk);  // a value converts
    EXPECT_EQ(tag->TagName(), u"42");
}

TEST_F(DispatcherTest, FillsTheThreeReferencesOfUnpackResultsWithTypedArrays)
{
    Variant values, stamps, confidences(u"old");
    const InvokeOutcome outcome = call(*tag, u"UnpackResults", kMethod,
                                       {Variant::referenceToVariant(values), Variant::referenceToVariant(stamps),
                                        Variant::referenceToVariant(confidences)});
    ASSERT_EQ(outcome.hresult, hresult::kOk);
    EXPECT_EQ(values.vt(), 0x2004);
    EXPECT_EQ(stamps.vt(), 0x2007);
    EXPECT_EQ(confidences.vt(), 0x2002);
    EXPECT_EQ(outcome.result.vt(), 0);
    // Values passed by value land in temporaries the caller never sees.
    EXPECT_EQ(call(*tag, u"UnpackResults", kMethod, {Variant(), Variant(), Variant()}).hresult, hresult::kOk);
    EXPECT_TRUE(lastArgs[0].isEmpty());
}

TEST_F(DispatcherTest, ReportsAMembersErrorAsAnExceptionWithItsNumberAndDescription)
{
    const InvokeOutcome outcome = call(*tags, u"Item", kMethod | kGet, {Variant(u"nope")});
    EXPECT_EQ(outcome.hresult, hresult::kException);
    EXPECT_EQ(static_cast<std::uint32_t>(outcome.exception.code), 0x800A0005u);
    EXPECT_EQ(outcome.exception.source, u"CorvaneSim");
    EXPECT_EQ(outcome.exception.description, u"Invalid procedure call or argument");
    const InvokeOutcome duplicate = call(*tags, u"Add", kMethod, {Variant(u"tic101.pv")});
    EXPECT_EQ(static_cast<std::uint32_t>(duplicate.exception.code), 0x800A01C9u);
}

TEST_F(DispatcherTest, ConvertsArgumentsBeforeTheMemberRunsAndRefusesWithoutChangingState)
{
    session->setSampleFrequency(60);
    const InvokeOutcome text = put(*session, u"SampleFrequency", Variant(u"abc"));
    EXPECT_EQ(text.hresult, hresult::kTypeMismatch);
    EXPECT_EQ(text.argErr, 0u);
    EXPECT_EQ(put(*session, u"SampleFrequency", Variant(3e9)).hresult, hresult::kOverflow);
    EXPECT_EQ(put(*session, u"SampleFrequency", Variant::null()).hresult, hresult::kTypeMismatch);
    EXPECT_EQ(session->SampleFrequency(), 60);
    EXPECT_EQ(console.text(Control::labelSampleFrequency), u"60");
    EXPECT_EQ(put(*session, u"SampleFrequency", Variant(u"90.5")).hresult, hresult::kOk);
    EXPECT_EQ(session->SampleFrequency(), 90);
    // A put may also carry its value positionally.
    EXPECT_EQ(call(*tag, u"PV", kPut, {Variant(7)}).hresult, hresult::kOk);
    EXPECT_EQ(tag->PV(), 7.0f);
}

TEST_F(DispatcherTest, RefusesReadOnlyPutsWrongKindsAndUnknownIdentifiers)
{
    EXPECT_EQ(put(*session, u"Tags", Variant(1)).hresult, hresult::kMemberNotFound);
    EXPECT_EQ(put(*tag, u"TagName", Variant(u"x")).hresult, hresult::kMemberNotFound);
    EXPECT_EQ(put(*tag->TagDefinition(), u"HighExtreme", Variant(1)).hresult, hresult::kMemberNotFound);
    EXPECT_EQ(put(*tag->TagDefinition(), u"LowExtreme", Variant(1)).hresult, hresult::kMemberNotFound);
    EXPECT_EQ(put(*tag->TagDefinition(), u"Description", Variant(u"x")).hresult, hresult::kMemberNotFound);
    EXPECT_EQ(put(*tags, u"Count", Variant(1)).hresult, hresult::kMemberNotFound);
    EXPECT_EQ(put(*session, u"Fetch", Variant(1)).hresult, hresult::kMemberNotFound);
    EXPECT_EQ(call(*tags, u"Count", kMethod).hresult, hresult::kMemberNotFound);
    EXPECT_EQ(call(*tags, u"Count", 0).hresult, hresult::kMemberNotFound);
    EXPECT_EQ(dispatch::invoke(*tags, 0x12345, kMethod | kGet, lastArgs = {}, {}, *regional).hresult,
              hresult::kMemberNotFound);
    EXPECT_EQ(tag->TagName(), u"TIC101.PV");
}

// Every member of every interface refuses one argument too many and a wrong
// kind, with the exact code, before anything changes.
TEST_F(DispatcherTest, EveryMemberRefusesBadCallsWithoutChangingAnything)
{
    const Ref<TagDefinition> definition = tag->TagDefinition();
    const Ref<SimServer> server = process.ServerInstance;
    const std::pair<DispatchObject*, const InterfaceDescription*> objects[] = {
        {session.get(), &typelib::kDataInterface},          {tags.get(), &typelib::kTagsInterface},
        {tag.get(), &typelib::kTagInterface},               {definition.get(), &typelib::kTagDefinitionInterface},
        {server.get(), &typelib::kSimServerInterface}};
    const auto gridBefore = console.gridData.dataRows();
    for (const auto& [object, interface] : objects) {
        for (const MemberDescription& m : interface->members) {
            const bool isPut = m.kind == MemberKind::PropertyPut;
            const std::uint16_t flags = isPut ? kPut : m.kind == MemberKind::Method ? kMethod : kGet;
            std::vector<Variant> tooMany(m.params.size() + 1, Variant(1));
            lastArgs = tooMany;
            EXPECT_EQ(dispatch::invoke(*object, m.id, flags, lastArgs, {}, *regional).hresult, hresult::kBadParamCount)
                << utf8(interface->name) << "." << utf8(m.name);
            EXPECT_EQ(dispatch::invoke(*object, m.id, kPutRef, lastArgs, {}, *regional).hresult,
                      hresult::kMemberNotFound)
                << utf8(interface->name) << "." << utf8(m.name);
        }
    }
    EXPECT_EQ(console.gridData.dataRows(), gridBefore);
    EXPECT_EQ(tags->Count(), 1);
    EXPECT_EQ(tag->PV(), 42.5f);
    EXPECT_EQ(console.fetches, 0);
    EXPECT_EQ(console.text(Control::txtWriteLog), u"");
}

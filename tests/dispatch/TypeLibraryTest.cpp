// The type library checked against the published member lists, transcribed
// here independently of the table the server is built from.
#include "ObjectModelFixture.h"
#include "server/SimServer.h"
#include "typelib/TypeLibrary.h"
#include "session/Data.h"
#include "tags/TagDefinition.h"
#include "tags/Tags.h"

#include <sstream>

using namespace corvane;
using namespace corvane::testing;
using namespace corvane::automation;

namespace {

// One line per member: identifier, kind, name, parameters (name:type, & for
// by reference, ? for optional, [name] for an unnamed put value), result.
const char* const kPublished[] = {
    "_Data",
    "60030008 method Login UserName:String,Password:String -> none",
    "68030007 get Tags -> _Tags",
    "68030006 get StartTime -> Variant",
    "68030006 put StartTime [varDate]:Variant -> none",
    "68030005 get EndTime -> Variant",
    "68030005 put EndTime [varDate]:Variant -> none",
    "6003000B method Fetch -> none",
    "68030004 get SampleFrequency -> Long",
    "68030004 put SampleFrequency [nSampleFreq]:Long -> none",
    "68030003 get MinimumConfidence -> Single",
    "68030003 put MinimumConfidence [nMinConfidence]:Single -> none",
    "68030002 get SampleMethod -> String",
    "68030002 put SampleMethod [strSampleMethod]:String& -> none",
    "68030001 get HostName -> String",
    "68030001 put HostName [strName]:String& -> none",
    "68030000 get ConnectionTimeout -> Long",
    "68030000 put ConnectionTimeout [nTimeoutMillisec]:Long -> none",
    "_Tag",
    "68030006 get TagDefinition -> _TagDefinition",
    "60030009 method UnpackResults varValues:Variant&,varTimestamps:Variant&,varConfidences:Variant& -> none",
    "6003000A method Define strName:String& -> none",
    "68030005 get TagName -> String",
    "68030004 get Units -> String",
    "68030004 put Units [strUnits]:String& -> none",
    "68030003 get Offset -> String",
    "68030003 put Offset [strOffset]:String& -> none",
    "68030002 get ReductionType -> String",
    "68030002 put ReductionType [strType]:String& -> none",
    "68030001 get PV -> Single",
    "68030001 put PV [dVal]:Single -> none",
    "68030000 get Confidence -> Long",
    "68030000 put Confidence [nConf]:Long -> none",
    "6003000B method Put0 varVal:Variant,varTime:Variant?,varConfidence:Variant? -> none",
    "_Tags",
    "68030000 get Count -> Long",
    "60030002 method Add strTag:String&,varKey:Variant&? -> _Tag",
    "60030003 method Delete Index:Variant -> none",
    "60030004 method Remove varTag:Variant& -> none",
    "00000000 method Item Index:Variant -> _Tag default",
    "FFFFFFFC method NewEnum -> enumerator hidden",
    "60030006 method RemoveAll -> none",
    "_TagDefinition",
    "68030003 get Units -> String",
    "68030003 put Units [strUnits]:String& -> none",
    "68030002 get HighExtreme -> Single",
    "68030001 get LowExtreme -> Single",
    "68030000 get Description -> String",
    "60030004 method GetTagDefinition strName:String& -> Variant",
    "_SimServer",
    "68030000 get Data -> _Data",
    "68030000 put Data [vData]:_Data& -> none",
};

std::string typeText(const TypeRef& t)
{
    switch (t.type) {
    case VarType::Empty: return "none";
    case VarType::String: return "String";
    case VarType::I4: return "Long";
    case VarType::R4: return "Single";
    case VarType::Variant: return "Variant";
    case VarType::Unknown: return "enumerator";
    case VarType::Dispatch: return utf8(t.interfaceName);
    default: return "?";
    }
}

std::string memberLine(const MemberDescription& m)
{
    static const char* kinds[] = {"method", "get", "put", "putref"};
    char id[9];
    std::snprintf(id, sizeof id, "%08X", static_cast<unsigned>(m.id));
    std::ostringstream line;
    line << id << ' ' << kinds[static_cast<int>(m.kind)] << ' ' << utf8(m.name);
    for (std::size_t i = 0; i < m.params.size(); ++i) {
        const ParamDescription& p = m.params[i];
        line << (i == 0 ? ' ' : ',') << (p.name.empty() ? "[" + utf8(p.valueName) + "]" : utf8(p.name)) << ':'
             << typeText(p.type) << (p.byRef ? "&" : "") << (p.optional ? "?" : "");
    }
    line << " -> " << typeText(m.result) << (m.defaultMember ? " default" : "") << (m.hidden ? " hidden" : "");
    return line.str();
}

}  // namespace

TEST(TypeLibrary, MatchesThePublishedMemberListsInOrder)
{
    std::vector<std::string> actual;
    for (const TypeDescription& type : typelib::library().types) {
        if (!type.interface) continue;
        actual.push_back(utf8(type.interface->name));
        for (const MemberDescription& m : type.interface->members) actual.push_back(memberLine(m));
    }
    EXPECT_EQ(actual, std::vector<std::string>(std::begin(kPublished), std::end(kPublished)));
}

TEST(TypeLibrary, HoldsTenTypeDescriptionsWithTwoCreatableClasses)
{
    const TypeLibraryDescription& library = typelib::library();
    EXPECT_EQ(library.name, u"CorvaneSim");
    EXPECT_EQ(library.majorVersion, 1);
    EXPECT_EQ(library.minorVersion, 0);
    EXPECT_EQ(library.lcid, 0u);
    std::vector<std::string> names;
    for (const TypeDescription& type : library.types) names.push_back(utf8(type.name()));
    EXPECT_EQ(names, (std::vector<std::string>{"_Data", "Data", "_Tag", "Tag", "_Tags", "Tags", "_TagDefinition",
                                               "TagDefinition", "_SimServer", "SimServer"}));
    EXPECT_EQ(typelib::kDataClass.progId, u"CorvaneSim.Data");
    EXPECT_EQ(typelib::kSimServerClass.progId, u"CorvaneSim.SimServer");
    EXPECT_FALSE(typelib::kTagClass.creatable);
}

TEST(TypeLibrary, FindsCreatableClassesByProgIdOrBracedIdentifierOnly)
{
    EXPECT_EQ(typelib::findCreatableClass(u"corvanesim.data"), &typelib::kDataClass);
    EXPECT_EQ(typelib::findCreatableClass(u"CorvaneSim.SimServer"), &typelib::kSimServerClass);
    const std::u16string braced = u"{" + std::u16string(typelib::kDataClass.clsid.text) + u"}";
    EXPECT_EQ(typelib::findCreatableClass(braced), &typelib::kDataClass);
    EXPECT_EQ(typelib::findCreatableClass(typelib::kDataClass.clsid.text), nullptr);
    EXPECT_EQ(typelib::findCreatableClass(u"{" + std::u16string(typelib::kTagsClass.clsid.text) + u"}"), nullptr);
    EXPECT_EQ(typelib::findCreatableClass(u"CorvaneSim.Tags"), nullptr);
    EXPECT_EQ(typelib::findCreatableClass(u""), nullptr);
}

TEST(TypeLibrary, GivesEveryInterfaceAndClassItsOwnIdentifier)
{
    std::vector<std::u16string_view> ids{typelib::library().libid.text};
    for (const TypeDescription& type : typelib::library().types)
        ids.push_back(type.interface ? type.interface->iid.text : type.coclass->clsid.text);
    for (std::size_t i = 0; i < ids.size(); ++i) {
        EXPECT_EQ(ids[i].size(), 36u);
        for (std::size_t j = i + 1; j < ids.size(); ++j) EXPECT_NE(ids[i], ids[j]);
    }
}

using Bindings = ObjectModelFixture;

TEST_F(Bindings, CoverEveryMemberOfEveryInterface)
{
    const Ref<Data> session = Data::Create(process);
    const Ref<Tag> tag = session->Tags()->Add(u"TIC101.PV", Variant::missing());
    EXPECT_NO_THROW(session->dispatchBinding());
    EXPECT_NO_THROW(session->Tags()->dispatchBinding());
    EXPECT_NO_THROW(tag->dispatchBinding());
    EXPECT_NO_THROW(tag->TagDefinition()->dispatchBinding());
    EXPECT_NO_THROW(process.ServerInstance->dispatchBinding());
    EXPECT_EQ(&tag->dispatchBinding().description, &typelib::kTagInterface);
}

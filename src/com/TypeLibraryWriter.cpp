#include "TypeLibraryWriter.h"

#include "ComResources.h"
#include "Guids.h"

#include "typelib/TypeLibrary.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace corvane::com {

using automation::InterfaceDescription;
using automation::MemberDescription;
using automation::MemberKind;
using automation::TypeRef;
using automation::VarType;

namespace {

// The library describes the process it is loaded by: the type-library
// marshaller finds a member's vtable slot from its offset in pointers of this size.
#ifdef _WIN64
constexpr SYSKIND kSysKind = SYS_WIN64;
#else
constexpr SYSKIND kSysKind = SYS_WIN32;
#endif

const GUID kStdOleLibrary = {0x00020430, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

std::wstring wide(std::u16string_view text)
{
    return std::wstring(text.begin(), text.end());
}

#define CHECK(expression)                      \
    do {                                       \
        const HRESULT checked_ = (expression); \
        if (FAILED(checked_)) return checked_; \
    } while (false)

// Type descriptions outlive the AddFuncDesc call that reads them.
class TypeDescriptions {
public:
    TYPEDESC* pointerTo(const TYPEDESC& inner)
    {
        TYPEDESC* target = copy(inner);
        TYPEDESC* made = store_.emplace_back(std::make_unique<TYPEDESC>()).get();
        made->vt = VT_PTR;
        made->lptdesc = target;
        return made;
    }
    TYPEDESC* copy(const TYPEDESC& description)
    {
        return store_.emplace_back(std::make_unique<TYPEDESC>(description)).get();
    }

private:
    std::vector<std::unique_ptr<TYPEDESC>> store_;
};

class LibraryBuilder {
public:
    HRESULT build(const std::wstring& path);

private:
    HRESULT startInterface(const InterfaceDescription& interface);
    HRESULT addMembers(const InterfaceDescription& interface);
    HRESULT addMember(ICreateTypeInfo& info, UINT index, const MemberDescription& member);
    HRESULT typeOf(const TypeRef& type, ICreateTypeInfo& user, TYPEDESC& out);

    ComRef<ICreateTypeLib2> library_;
    ComRef<ITypeInfo> dispatchInfo_;
    std::map<std::u16string_view, ComRef<ICreateTypeInfo>> interfaces_;
    std::vector<ComRef<ICreateTypeInfo>> all_;
    TypeDescriptions descriptions_;
};

HRESULT LibraryBuilder::typeOf(const TypeRef& type, ICreateTypeInfo& user, TYPEDESC& out)
{
    out = TYPEDESC{};
    switch (type.type) {
    case VarType::String: out.vt = VT_BSTR; return S_OK;
    case VarType::I4: out.vt = VT_I4; return S_OK;
    case VarType::R4: out.vt = VT_R4; return S_OK;
    case VarType::Variant: out.vt = VT_VARIANT; return S_OK;
    case VarType::Unknown: out.vt = VT_UNKNOWN; return S_OK;
    case VarType::Dispatch: {
        // A reference to the named interface of this library.
        ComRef<ITypeInfo> target;
        CHECK(interfaces_.at(type.interfaceName)->QueryInterface(IID_ITypeInfo, reinterpret_cast<void**>(target.put())));
        HREFTYPE reference = 0;
        CHECK(user.AddRefTypeInfo(target.get(), &reference));
        TYPEDESC named{};
        named.vt = VT_USERDEFINED;
        named.hreftype = reference;
        out.vt = VT_PTR;
        out.lptdesc = descriptions_.copy(named);
        return S_OK;
    }
    default: return E_INVALIDARG;
    }
}

HRESULT LibraryBuilder::addMember(ICreateTypeInfo& info, UINT index, const MemberDescription& member)
{
    std::vector<ELEMDESC> params;
    std::vector<std::wstring> names{wide(member.name)};
    for (const automation::ParamDescription& param : member.params) {
        ELEMDESC element{};
        CHECK(typeOf(param.type, info, element.tdesc));
        if (param.byRef) element.tdesc = *descriptions_.pointerTo(element.tdesc);
        // By reference is in and out, so that the marshaller carries back what
        // a member writes (the arrays of UnpackResults).
        element.paramdesc.wParamFlags =
            PARAMFLAG_FIN | (param.byRef ? PARAMFLAG_FOUT : 0) | (param.optional ? PARAMFLAG_FOPT : 0);
        params.push_back(element);
        if (!param.name.empty()) names.push_back(wide(param.name));
    }
    if (member.result.type != VarType::Empty) {
        ELEMDESC element{};
        CHECK(typeOf(member.result, info, element.tdesc));
        element.tdesc = *descriptions_.pointerTo(element.tdesc);
        element.paramdesc.wParamFlags = PARAMFLAG_FOUT | PARAMFLAG_FRETVAL;
        params.push_back(element);
        names.push_back(L"retval");
    }

    FUNCDESC function{};
    function.memid = member.id;
    function.funckind = FUNC_PUREVIRTUAL;
    switch (member.kind) {
    case MemberKind::Method: function.invkind = INVOKE_FUNC; break;
    case MemberKind::PropertyGet: function.invkind = INVOKE_PROPERTYGET; break;
    case MemberKind::PropertyPut: function.invkind = INVOKE_PROPERTYPUT; break;
    case MemberKind::PropertyPutRef: function.invkind = INVOKE_PROPERTYPUTREF; break;
    }
    function.callconv = CC_STDCALL;
    function.cParams = static_cast<SHORT>(params.size());
    function.lprgelemdescParam = params.data();
    function.oVft = static_cast<SHORT>((7 + index) * sizeof(void*));
    function.elemdescFunc.tdesc.vt = VT_HRESULT;
    function.wFuncFlags = member.hidden ? FUNCFLAG_FHIDDEN : 0;
    CHECK(info.AddFuncDesc(index, &function));

    std::vector<LPOLESTR> pointers;
    for (std::wstring& name : names) pointers.push_back(name.data());
    return info.SetFuncAndParamNames(index, pointers.data(), static_cast<UINT>(pointers.size()));
}

HRESULT LibraryBuilder::startInterface(const InterfaceDescription& interface)
{
    ComRef<ICreateTypeInfo> info;
    std::wstring name = wide(interface.name);
    CHECK(library_->CreateTypeInfo(name.data(), TKIND_INTERFACE, info.put()));
    CHECK(info->SetGuid(guidOf(interface.iid)));
    HREFTYPE base = 0;
    CHECK(info->AddRefTypeInfo(dispatchInfo_.get(), &base));
    CHECK(info->AddImplType(0, base));
    interfaces_.emplace(interface.name, info);
    all_.push_back(info);
    return S_OK;
}

HRESULT LibraryBuilder::addMembers(const InterfaceDescription& interface)
{
    ICreateTypeInfo& info = *interfaces_.at(interface.name).get();
    for (std::size_t i = 0; i < interface.members.size(); ++i)
        CHECK(addMember(info, static_cast<UINT>(i), interface.members[i]));
    return info.SetTypeFlags(TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FOLEAUTOMATION);
}

HRESULT LibraryBuilder::build(const std::wstring& path)
{
    const automation::TypeLibraryDescription& description = typelib::library();
    CHECK(CreateTypeLib2(kSysKind, path.c_str(), library_.put()));
    std::wstring name = wide(description.name);
    CHECK(library_->SetName(name.data()));
    CHECK(library_->SetGuid(guidOf(description.libid)));
    CHECK(library_->SetVersion(description.majorVersion, description.minorVersion));
    CHECK(library_->SetLcid(description.lcid));
    CHECK(library_->SetLibFlags(0));

    ComRef<ITypeLib> stdOle;
    CHECK(LoadRegTypeLib(kStdOleLibrary, 2, 0, 0, stdOle.put()));
    CHECK(stdOle->GetTypeInfoOfGuid(IID_IDispatch, dispatchInfo_.put()));

    // In the library's order; members once every interface can be referred to.
    std::vector<const automation::ClassDescription*> classes;
    for (const automation::TypeDescription& type : description.types) {
        if (type.interface) {
            CHECK(startInterface(*type.interface));
            continue;
        }
        const automation::ClassDescription& coclass = *type.coclass;
        ComRef<ICreateTypeInfo> info;
        std::wstring className = wide(coclass.name);
        CHECK(library_->CreateTypeInfo(className.data(), TKIND_COCLASS, info.put()));
        CHECK(info->SetGuid(guidOf(coclass.clsid)));
        CHECK(info->SetTypeFlags(coclass.creatable ? TYPEFLAG_FCANCREATE : 0));
        ComRef<ITypeInfo> defaultInterface;
        CHECK(interfaces_.at(coclass.defaultInterface->name)
                  ->QueryInterface(IID_ITypeInfo, reinterpret_cast<void**>(defaultInterface.put())));
        HREFTYPE reference = 0;
        CHECK(info->AddRefTypeInfo(defaultInterface.get(), &reference));
        CHECK(info->AddImplType(0, reference));
        CHECK(info->SetImplTypeFlags(0, IMPLTYPEFLAG_FDEFAULT));
        all_.push_back(info);
    }
    for (const automation::TypeDescription& type : description.types)
        if (type.interface) CHECK(addMembers(*type.interface));
    for (ComRef<ICreateTypeInfo>& info : all_) CHECK(info->LayOut());
    return library_->SaveAllChanges();
}

}  // namespace

HRESULT writeTypeLibrary(const std::wstring& path)
{
    return LibraryBuilder().build(path);
}

}  // namespace corvane::com

#include "DualVtables.h"

#include "DispatchAdapter.h"
#include "DispatchInvoke.h"
#include "Guids.h"

#include "automation/HResult.h"
#include "typelib/TypeLibrary.h"

#include <array>
#include <cstring>
#include <utility>

namespace corvane::com {

using automation::InterfaceDescription;
using automation::MemberKind;
using automation::TypeRef;
using automation::VarType;

namespace {

// The C++ type that stands for a table type in the vtable form.
template <VarType T> struct Native;
// No result: named only so that the signature of an unused entry can be spelled.
template <> struct Native<VarType::Empty> { using type = void*; static constexpr VARTYPE vt = VT_EMPTY; };
template <> struct Native<VarType::String> { using type = BSTR; static constexpr VARTYPE vt = VT_BSTR; };
template <> struct Native<VarType::I4> { using type = LONG; static constexpr VARTYPE vt = VT_I4; };
template <> struct Native<VarType::R4> { using type = FLOAT; static constexpr VARTYPE vt = VT_R4; };
template <> struct Native<VarType::Variant> { using type = VARIANT; static constexpr VARTYPE vt = VT_VARIANT; };
template <> struct Native<VarType::Dispatch> { using type = IDispatch*; static constexpr VARTYPE vt = VT_DISPATCH; };
template <> struct Native<VarType::Unknown> { using type = IUnknown*; static constexpr VARTYPE vt = VT_UNKNOWN; };

template <const InterfaceDescription* I, std::size_t M>
constexpr const automation::MemberDescription& memberOf() { return I->members[M]; }

// Parameter P of member M as it travels: by value, or a pointer when by reference.
template <const InterfaceDescription* I, std::size_t M, std::size_t P>
struct Param {
    static constexpr const automation::ParamDescription& description = memberOf<I, M>().params[P];
    using value = typename Native<description.type.type>::type;
    using type = std::conditional_t<description.byRef, value*, value>;
    static constexpr VARTYPE vt = Native<description.type.type>::vt;

    // The argument as the VARIANT IDispatch::Invoke would get; it borrows.
    static VARIANT borrowed(type argument)
    {
        VARIANT made;
        VariantInit(&made);
        if constexpr (description.byRef) {
            made.vt = VARTYPE(VT_BYREF | vt);
            made.byref = argument;
        } else if constexpr (vt == VT_VARIANT) {
            made = argument;
        } else {
            made.vt = vt;
            std::memcpy(&made.lVal, &argument, sizeof(argument));
        }
        return made;
    }
};

template <const InterfaceDescription* I, std::size_t M>
constexpr bool hasResult = memberOf<I, M>().result.type != VarType::Empty;

template <const InterfaceDescription* I, std::size_t M>
struct Result {
    using type = typename Native<memberOf<I, M>().result.type>::type;
};

// The named interface of the library, for results that are objects.
const InterfaceDescription* interfaceNamed(std::u16string_view name)
{
    for (const automation::TypeDescription& type : typelib::library().types)
        if (type.interface && type.interface->name == name) return type.interface;
    return nullptr;
}

// Moves the dispatcher's result into the vtable's output of type T.
template <class T>
HRESULT deliver(VARIANT& result, const TypeRef& type, T* out)
{
    if (out == nullptr) return E_POINTER;
    if constexpr (std::is_same_v<T, VARIANT>) {
        *out = result;
        VariantInit(&result);
        return S_OK;
    } else {
        const VARTYPE vt = std::is_same_v<T, BSTR>         ? VT_BSTR
                           : std::is_same_v<T, LONG>       ? VT_I4
                           : std::is_same_v<T, FLOAT>      ? VT_R4
                           : std::is_same_v<T, IDispatch*> ? VT_DISPATCH
                                                           : VT_UNKNOWN;
        const HRESULT changed = VariantChangeType(&result, &result, 0, vt);
        if (FAILED(changed)) return changed;
        if constexpr (std::is_same_v<T, IDispatch*>) {
            // The caller expects the named interface itself, not only IDispatch.
            *out = nullptr;
            const InterfaceDescription* interface = interfaceNamed(type.interfaceName);
            if (result.pdispVal && interface)
                return result.pdispVal->QueryInterface(guidOf(interface->iid), reinterpret_cast<void**>(out));
            return S_OK;
        } else {
            std::memcpy(out, &result.lVal, sizeof(T));
            VariantInit(&result);
            return S_OK;
        }
    }
}

template <const InterfaceDescription* I, std::size_t M>
struct Thunk {
    static constexpr const automation::MemberDescription& member = memberOf<I, M>();

    template <std::size_t... P>
    struct With {
        // One member's entry: the arguments become the VARIANTs of an
        // Invoke, and the dispatcher does the rest, as for IDispatch.
        template <class... Out>
        static HRESULT call(DualFace* self, typename Param<I, M, P>::type... arguments, Out*... out)
        {
            std::array<VARIANT, sizeof...(P) + 1> reversed{};
            std::size_t next = sizeof...(P);
            ((reversed[--next] = Param<I, M, P>::borrowed(arguments)), ...);
            const bool isPut = member.kind == MemberKind::PropertyPut || member.kind == MemberKind::PropertyPutRef;
            DISPID putId = DISPID_PROPERTYPUT;
            DISPPARAMS params{reversed.data(), isPut ? &putId : nullptr, UINT(sizeof...(P)), isPut ? 1u : 0u};
            VARIANT result;
            VariantInit(&result);
            EXCEPINFO exception{};
            HRESULT outcome = self->owner->invokeMember(member.id, automation::invokeFlagOf(member.kind), &params,
                                                        sizeof...(Out) ? &result : nullptr, &exception);
            if (outcome == DISP_E_EXCEPTION) {
                // The error object is set; the vtable form reports the code itself.
                outcome = exception.scode;
                SysFreeString(exception.bstrSource);
                SysFreeString(exception.bstrDescription);
                SysFreeString(exception.bstrHelpFile);
            }
            if (SUCCEEDED(outcome)) ((outcome = deliver(result, member.result, out)), ...);
            VariantClear(&result);
            return outcome;
        }
        static HRESULT STDMETHODCALLTYPE entry(DualFace* self, typename Param<I, M, P>::type... arguments)
            requires(!hasResult<I, M>)
        {
            return call<>(self, arguments...);
        }
        static HRESULT STDMETHODCALLTYPE entryWithResult(DualFace* self, typename Param<I, M, P>::type... arguments,
                                                         typename Result<I, M>::type* out)
            requires(hasResult<I, M>)
        {
            return call<typename Result<I, M>::type>(self, arguments..., out);
        }
    };

    template <std::size_t... P>
    static constexpr const void* pointer(std::index_sequence<P...>)
    {
        if constexpr (hasResult<I, M>) return reinterpret_cast<const void*>(&With<P...>::entryWithResult);
        else return reinterpret_cast<const void*>(&With<P...>::entry);
    }
    static const void* pointer() { return pointer(std::make_index_sequence<member.params.size()>()); }
};

// IUnknown's and IDispatch's entries, handed on to the object.
HRESULT STDMETHODCALLTYPE queryInterface(DualFace* self, REFIID iid, void** out) { return self->owner->QueryInterface(iid, out); }
ULONG STDMETHODCALLTYPE addRef(DualFace* self) { return self->owner->AddRef(); }
ULONG STDMETHODCALLTYPE release(DualFace* self) { return self->owner->Release(); }
HRESULT STDMETHODCALLTYPE getTypeInfoCount(DualFace* self, UINT* count) { return self->owner->GetTypeInfoCount(count); }
HRESULT STDMETHODCALLTYPE getTypeInfo(DualFace* self, UINT index, LCID locale, ITypeInfo** info)
{
    return self->owner->GetTypeInfo(index, locale, info);
}
HRESULT STDMETHODCALLTYPE getIDsOfNames(DualFace* self, REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids)
{
    return self->owner->GetIDsOfNames(iid, names, count, locale, ids);
}
HRESULT STDMETHODCALLTYPE invoke(DualFace* self, DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                 VARIANT* result, EXCEPINFO* exception, UINT* argErr)
{
    return self->owner->Invoke(id, iid, locale, flags, params, result, exception, argErr);
}

template <const InterfaceDescription* I, std::size_t... M>
const void* const* vtable(std::index_sequence<M...>)
{
    static const void* const entries[] = {
        reinterpret_cast<const void*>(&queryInterface), reinterpret_cast<const void*>(&addRef),
        reinterpret_cast<const void*>(&release),        reinterpret_cast<const void*>(&getTypeInfoCount),
        reinterpret_cast<const void*>(&getTypeInfo),    reinterpret_cast<const void*>(&getIDsOfNames),
        reinterpret_cast<const void*>(&invoke),         Thunk<I, M>::pointer()...};
    return entries;
}

template <const InterfaceDescription* I>
const void* const* vtableOf()
{
    return vtable<I>(std::make_index_sequence<I->members.size()>());
}

}  // namespace

const void* const* dualVtableOf(const InterfaceDescription& interface)
{
    if (&interface == &typelib::kDataInterface) return vtableOf<&typelib::kDataInterface>();
    if (&interface == &typelib::kTagInterface) return vtableOf<&typelib::kTagInterface>();
    if (&interface == &typelib::kTagsInterface) return vtableOf<&typelib::kTagsInterface>();
    if (&interface == &typelib::kTagDefinitionInterface) return vtableOf<&typelib::kTagDefinitionInterface>();
    if (&interface == &typelib::kSimServerInterface) return vtableOf<&typelib::kSimServerInterface>();
    return nullptr;
}

}  // namespace corvane::com

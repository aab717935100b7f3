#pragma once

#include "VarType.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace corvane::automation {

using DispId = std::int32_t;

inline constexpr DispId kDispIdValue = 0;          // the default member
inline constexpr DispId kDispIdNewEnum = -4;       // the enumerator
inline constexpr DispId kDispIdPropertyPut = -3;   // the named argument carrying a put's value
inline constexpr DispId kDispIdUnknown = -1;

// Invoke kinds; clients may combine them (method with property get).
enum InvokeFlags : std::uint16_t {
    kInvokeMethod = 1,
    kInvokePropertyGet = 2,
    kInvokePropertyPut = 4,
    kInvokePropertyPutRef = 8,
};

enum class MemberKind : std::uint8_t { Method, PropertyGet, PropertyPut, PropertyPutRef };

// The invoke kind that reaches a member of this kind.
constexpr std::uint16_t invokeFlagOf(MemberKind kind)
{
    switch (kind) {
    case MemberKind::Method: return kInvokeMethod;
    case MemberKind::PropertyGet: return kInvokePropertyGet;
    case MemberKind::PropertyPut: return kInvokePropertyPut;
    case MemberKind::PropertyPutRef: return kInvokePropertyPutRef;
    }
    return 0;
}

// A 128-bit identifier, kept as text in the registry form without braces.
struct Guid {
    std::u16string_view text;
};

// The type of a parameter or result: an Automation type, or for object
// references (Dispatch) the interface they must answer to; Unknown is the
// enumerator; Empty as a result means none.
struct TypeRef {
    VarType type = VarType::Empty;
    std::u16string_view interfaceName = {};
};

struct ParamDescription {
    // Empty for the value of a property put: the library gives it no name.
    std::u16string_view name;
    TypeRef type;
    bool byRef = false;
    bool optional = false;
    // The implementation's own name for a put's value (for messages only).
    std::u16string_view valueName = {};
};

struct MemberDescription {
    std::u16string_view name;
    DispId id;
    MemberKind kind;
    std::span<const ParamDescription> params;
    TypeRef result;
    bool hidden = false;
    bool defaultMember = false;
    bool enumerator = false;

    std::size_t requiredParams() const
    {
        std::size_t n = 0;
        for (const ParamDescription& p : params) n += p.optional ? 0 : 1;
        return n;
    }
};

struct InterfaceDescription {
    std::u16string_view name;  // "_Data"
    Guid iid;
    std::span<const MemberDescription> members;  // in vtable order
    // Every interface of the library is dual, hidden, nonextensible and
    // restricted to Automation types, and derives from IDispatch.
    static constexpr bool dual = true, hidden = true, nonextensible = true, oleautomation = true;
};

struct ClassDescription {
    std::u16string_view name;  // "Data"
    Guid clsid;
    const InterfaceDescription* defaultInterface;
    bool creatable;
    std::u16string_view progId;  // empty when clients cannot create it
};

// One entry of the library's list of type descriptions, in library order.
struct TypeDescription {
    const InterfaceDescription* interface = nullptr;  // exactly one of the two is set
    const ClassDescription* coclass = nullptr;
    std::u16string_view name() const { return interface ? interface->name : coclass->name; }
};

struct TypeLibraryDescription {
    std::u16string_view name;
    Guid libid;
    std::uint16_t majorVersion;
    std::uint16_t minorVersion;
    std::uint32_t lcid;
    std::span<const TypeDescription> types;
};

}  // namespace corvane::automation

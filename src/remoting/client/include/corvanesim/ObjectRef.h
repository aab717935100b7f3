#pragma once

#include "MemberOf.h"

#include "automation/Object.h"
#include "automation/Variant.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::client {

class Enumeration;
class RemoteObject;

// A counted reference to an object in the server. Each ObjectRef holds one
// reference of this client's: a copy adds one on the server, destruction
// releases it, and a moved-from ObjectRef holds nothing and releases nothing.
//
// Arguments are Variants. A reference (automation::Variant::reference or
// referenceToVariant) passes the caller's Variant by reference: after a
// successful call it holds what the member left there. A failed call throws
// RemoteError and leaves the caller's Variants as they were.
class ObjectRef {
public:
    ObjectRef() noexcept;  // Nothing
    ObjectRef(const ObjectRef& other);
    ObjectRef(ObjectRef&& other) noexcept;
    ObjectRef& operator=(const ObjectRef& other);
    ObjectRef& operator=(ObjectRef&& other) noexcept;
    ~ObjectRef();

    // The object that a Variant from this library holds (a result, an
    // enumerated item, a by-reference argument written back), sharing the
    // reference that came with it; Nothing for Nothing. Throws RemoteError
    // (type mismatch) for anything else.
    static ObjectRef from(const automation::Variant& value);
    // A dispatch Variant of this object, for passing it as an argument.
    automation::Variant toVariant() const;

    explicit operator bool() const noexcept;
    // The object's path on the bus: the same object always has the same path.
    std::string path() const;
    // Releases the reference now.
    void reset() noexcept;

    // Property get, property put and method call by name (letter case
    // ignored). Identifiers are looked up once per interface and connection.
    automation::Variant get(std::string_view name, const std::vector<automation::Variant>& args = {}) const;
    void put(std::string_view name, const automation::Variant& value) const;
    automation::Variant call(std::string_view name, const std::vector<automation::Variant>& args = {}) const;

    // By dispatch identifier. For a property put the value is the last argument.
    automation::Variant invoke(automation::DispId id, std::uint16_t flags,
                               const std::vector<automation::Variant>& args = {}) const;
    automation::Variant invoke(Member member, const std::vector<automation::Variant>& args = {}) const
    {
        return invoke(member.id, member.flags, args);
    }

    // The items of the object's enumerator (NewEnum), for a range-for.
    Enumeration enumerate() const;

    // The same object in the server.
    friend bool operator==(const ObjectRef& a, const ObjectRef& b) noexcept;

private:
    explicit ObjectRef(automation::Ref<RemoteObject> object) noexcept;
    RemoteObject& checked() const;

    automation::Ref<RemoteObject> object_;

    friend class Connection;
    friend class Enumeration;
};

}  // namespace corvane::client

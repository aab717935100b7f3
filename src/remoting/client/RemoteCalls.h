#pragma once

#include "NameCache.h"
#include "Transport.h"

#include "automation/Object.h"
#include "automation/TypeInfo.h"
#include "automation/Variant.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace corvane::client {

class RemoteObject;

// The calls of the bus contract as one client makes them over its transport.
// Failures of every kind leave as RemoteError.
class RemoteCalls : public std::enable_shared_from_this<RemoteCalls> {
public:
    // Activation and the operator's exit question can take a while.
    static constexpr int kCallTimeoutMs = 60000;

    explicit RemoteCalls(std::unique_ptr<Transport> transport);

    // ClassFactory.CreateInstance: a new object holding the reference it came with.
    automation::Ref<RemoteObject> createInstance(std::u16string_view classId);
    // Dispatch.Invoke; see ObjectRef for the arguments.
    automation::Variant invoke(RemoteObject& target, automation::DispId id, std::uint16_t flags,
                               const std::vector<automation::Variant>& args);
    // Dispatch.GetIDsOfNames, through the cache of the target's interface.
    automation::DispId idOfName(RemoteObject& target, std::u16string_view name);
    // Object.AddRef: a second stand-in with a reference of its own.
    automation::Ref<RemoteObject> addRef(const RemoteObject& object);
    // Object.Release; a server that is gone has nothing left to release.
    void release(const RemoteObject& object) noexcept;
    // EnumVARIANT.Next: up to `count` items, each holding its reference.
    std::vector<automation::Variant> next(RemoteObject& enumerator, std::uint32_t count);

private:
    using Arguments = std::function<void(remoting::BusMessage&)>;
    // The call with the arguments that `write` puts in; its reply, or the
    // error that stands for it thrown as RemoteError.
    remoting::BusMessage exchange(const QString& destination, const QString& path, const char* interface,
                                  const char* member, const Arguments& write = {}, bool creating = false);
    // The target's interface name, asked of the server (GetTypeInfo) the first time.
    const std::u16string& interfaceOf(RemoteObject& target);

    std::unique_ptr<Transport> transport_;
    NameCache names_;
};

}  // namespace corvane::client

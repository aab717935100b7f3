#pragma once

#include "RegistryCensus.h"

#include "remoting/common/ObjectPathMap.h"

#include <QHashFunctions>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace corvane::remoting {

// The objects that clients reach over the bus, with the references each
// client holds. An object gets one path on its first trip and keeps it for
// its whole life, so the same object always comes back as the same path;
// paths carry 128 random bits, so no client can guess another's objects.
//
// The registry holds one counted reference on an object while any client
// does. When the clients' count reaches zero the object stays mapped as long
// as the object model still holds it too (its path must not change), and the
// registry lets go of it once it is the last holder. That last release is
// handed to the release sink rather than run here, because it can run
// arbitrary code: a SimServer's asks the operator whether to exit.
class ObjectRegistry final : public ObjectPathMap {
public:
    // Takes the registry's last reference to an object; must not call back
    // into the registry.
    using ReleaseSink = std::function<void(automation::Ref<automation::Object>)>;

    ObjectRegistry(QString rootPath, ReleaseSink sink);
    ~ObjectRegistry() override;
    ObjectRegistry(const ObjectRegistry&) = delete;
    ObjectRegistry& operator=(const ObjectRegistry&) = delete;

    QString pathOf(automation::Object& object) override;
    automation::Ref<automation::Object> objectAt(const QString& path) override;

    // One more reference of `client`; returns the client's count on the object.
    std::uint32_t addReference(const QString& client, automation::Object& object);
    // One reference less; a client that holds none changes nothing and gets 0.
    std::uint32_t release(const QString& client, const QString& path);
    // Every reference of a client that has left the bus.
    void releaseClient(const QString& client);
    std::uint32_t references(const QString& client, const QString& path) const;

    // Lets go of objects that nobody but the registry holds any more: at once
    // those that lost their last client since the previous collection (a call
    // holds its target while it runs, so a Release cannot let go itself), the
    // rest cheaply on average, walking them only once per as many calls.
    void collectUnclaimed();

    std::size_t size() const { return byPath_.size(); }
    RegistryCensus census() const;

private:
    struct Entry {
        automation::Ref<automation::Object> object;
        QString path;
        std::uint64_t clientReferences = 0;  // of all clients together
    };
    struct QStringHash {
        std::size_t operator()(const QString& s) const noexcept { return qHash(s); }
    };
    using ClientReferences = std::unordered_map<Entry*, std::uint32_t>;

    Entry* find(const QString& path) const;
    QString newPath(automation::Object& object) const;
    // The clients' count on `entry` has dropped to zero.
    void unclaimed(Entry* entry);
    void drop(Entry* entry);

    QString rootPath_;
    ReleaseSink sink_;
    std::unordered_map<QString, std::unique_ptr<Entry>, QStringHash> byPath_;
    std::unordered_map<const automation::Object*, Entry*> byObject_;
    std::unordered_map<QString, ClientReferences, QStringHash> byClient_;
    std::unordered_set<Entry*> unclaimed_;
    std::vector<Entry*> newlyUnclaimed_;  // may name entries dropped since; looked up in unclaimed_ first
    std::size_t callsSinceCollection_ = 0;
};

}  // namespace corvane::remoting

#include "ObjectRegistry.h"

#include "automation/DispatchObject.h"

#include <QRandomGenerator>

#include <limits>

namespace corvane::remoting {

using automation::Object;
using automation::Ref;

ObjectRegistry::ObjectRegistry(QString rootPath, ReleaseSink sink)
    : rootPath_(std::move(rootPath)), sink_(std::move(sink))
{
}

ObjectRegistry::~ObjectRegistry() = default;

ObjectRegistry::Entry* ObjectRegistry::find(const QString& path) const
{
    const auto found = byPath_.find(path);
    return found == byPath_.end() ? nullptr : found->second.get();
}

QString ObjectRegistry::newPath(Object& object) const
{
    // The class in the path only helps a reader; the random part identifies.
    QString kind = QStringLiteral("Enumerator");
    if (automation::DispatchObject* dispatch = object.asDispatch()) {
        const std::u16string_view name = dispatch->dispatchBinding().description.name;
        kind = QString::fromUtf16(name.data(), qsizetype(name.size()));
        if (kind.startsWith(QLatin1Char('_'))) kind.remove(0, 1);
    }
    QString path;
    do {
        quint64 bits[2];
        QRandomGenerator::system()->fillRange(bits);
        path = QStringLiteral("%1/%2/%3%4")
                   .arg(rootPath_, kind)
                   .arg(bits[0], 16, 16, QLatin1Char('0'))
                   .arg(bits[1], 16, 16, QLatin1Char('0'));
    } while (byPath_.contains(path));
    return path;
}

QString ObjectRegistry::pathOf(Object& object)
{
    if (const auto known = byObject_.find(&object); known != byObject_.end()) return known->second->path;
    auto entry = std::make_unique<Entry>();
    entry->object = Ref<Object>(&object);
    entry->path = newPath(object);
    Entry* added = entry.get();
    byObject_.emplace(&object, added);
    byPath_.emplace(added->path, std::move(entry));
    unclaimed_.insert(added);
    return added->path;
}

Ref<Object> ObjectRegistry::objectAt(const QString& path)
{
    const Entry* entry = find(path);
    return entry ? entry->object : Ref<Object>();
}

std::uint32_t ObjectRegistry::addReference(const QString& client, Object& object)
{
    Entry* entry = find(pathOf(object));
    std::uint32_t& held = byClient_[client][entry];
    // A count that cannot grow stays put rather than wrap round to nothing.
    if (held == std::numeric_limits<std::uint32_t>::max()) return held;
    if (entry->clientReferences++ == 0) unclaimed_.erase(entry);
    return ++held;
}

std::uint32_t ObjectRegistry::release(const QString& client, const QString& path)
{
    Entry* entry = find(path);
    const auto holder = byClient_.find(client);
    if (entry == nullptr || holder == byClient_.end()) return 0;
    const auto held = holder->second.find(entry);
    if (held == holder->second.end()) return 0;

    const std::uint32_t left = --held->second;
    if (left == 0) {
        holder->second.erase(held);
        if (holder->second.empty()) byClient_.erase(holder);
    }
    if (--entry->clientReferences == 0) unclaimed(entry);
    return left;
}

void ObjectRegistry::releaseClient(const QString& client)
{
    const auto holder = byClient_.find(client);
    if (holder == byClient_.end()) return;
    const ClientReferences held = std::move(holder->second);
    byClient_.erase(holder);
    for (const auto& [entry, count] : held) {
        entry->clientReferences -= count;
        if (entry->clientReferences == 0) unclaimed(entry);
    }
}

std::uint32_t ObjectRegistry::references(const QString& client, const QString& path) const
{
    Entry* entry = find(path);
    const auto holder = byClient_.find(client);
    if (entry == nullptr || holder == byClient_.end()) return 0;
    const auto held = holder->second.find(entry);
    return held == holder->second.end() ? 0 : held->second;
}

RegistryCensus ObjectRegistry::census() const
{
    RegistryCensus census;
    census.clients = byClient_.size();
    for (const auto& [client, held] : byClient_)
        for (const auto& [entry, count] : held) census.clientReferences += count;
    for (const auto& [path, entry] : byPath_) {
        census.objectReferences += entry->clientReferences;
        // The class is the path's second-last segment.
        ++census.exportedByClass[path.section(QLatin1Char('/'), -2, -2)];
        if (entry->clientReferences == 0 && entry->object->referenceCount() == 1) ++census.heldByRegistryAlone;
    }
    return census;
}

void ObjectRegistry::unclaimed(Entry* entry)
{
    if (entry->object->referenceCount() == 1) {
        drop(entry);
    } else {
        unclaimed_.insert(entry);
        newlyUnclaimed_.push_back(entry);
    }
}

void ObjectRegistry::collectUnclaimed()
{
    // A client's last release must take effect when its call ends, not after
    // as many further calls as the model holds unclaimed objects (with the
    // tags of a large session, a SimServer's release would not ask the
    // operator for a long while).
    std::vector<Entry*> recent;
    recent.swap(newlyUnclaimed_);
    for (Entry* entry : recent)
        if (unclaimed_.contains(entry) && entry->object->referenceCount() == 1) drop(entry);

    if (++callsSinceCollection_ < unclaimed_.size()) return;
    callsSinceCollection_ = 0;
    for (auto it = unclaimed_.begin(); it != unclaimed_.end();) {
        Entry* entry = *it;
        ++it;
        if (entry->object->referenceCount() == 1) drop(entry);
    }
}

void ObjectRegistry::drop(Entry* entry)
{
    unclaimed_.erase(entry);
    byObject_.erase(entry->object.get());
    Ref<Object> last = std::move(entry->object);
    const QString path = entry->path;
    byPath_.erase(path);  // `entry` is gone from here on
    sink_(std::move(last));
}

}  // namespace corvane::remoting

#pragma once

#include "remoting/common/ObjectPathMap.h"

#include <QString>

#include <vector>

namespace corvane::remoting {

class ObjectRegistry;

// The path map for the parts of a reply that hand objects to the caller: it
// notes every object it sends, so that each adds a reference for the caller
// once the call is known to have succeeded.
class ReplyObjects final : public ObjectPathMap {
public:
    explicit ReplyObjects(ObjectRegistry& registry) : registry_(registry) {}

    QString pathOf(automation::Object& object) override;
    automation::Ref<automation::Object> objectAt(const QString& path) override;

    // One reference for `client` per object sent.
    void addReferencesFor(const QString& client);

private:
    ObjectRegistry& registry_;
    std::vector<automation::Ref<automation::Object>> sent_;
};

}  // namespace corvane::remoting

#pragma once

#include "automation/Object.h"

#include <QString>

namespace corvane::remoting {

// How object references travel: each side maps its objects to object paths
// and back ("/" is Nothing and never reaches the map).
class ObjectPathMap {
public:
    virtual ~ObjectPathMap() = default;

    // The path of a live object, assigning one on its first trip.
    virtual QString pathOf(automation::Object& object) = 0;
    // The object at `path`; null when no object lives there.
    virtual automation::Ref<automation::Object> objectAt(const QString& path) = 0;
};

}  // namespace corvane::remoting

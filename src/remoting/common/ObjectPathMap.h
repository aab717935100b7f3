#pragma once

#include "automation/DispatchObject.h"
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
    // Whether an object may travel as a dispatch reference (type 9). A
    // server answers for its own objects; a client's stand-ins take the
    // server's word for it.
    virtual bool hasDispatch(automation::Object& object) { return object.asDispatch() != nullptr; }
};

}  // namespace corvane::remoting

#pragma once

#include "automation/Object.h"

namespace corvane::remoting {

class BusCall;
class ObjectRegistry;

// org.corvane.Automation1.Object: the caller's own reference count on an object.
class ObjectCalls {
public:
    explicit ObjectCalls(ObjectRegistry& registry) : registry_(registry) {}

    // AddRef() -> (u count)
    void addRef(BusCall& call, automation::Object& object);
    // Release() -> (u count); the last release runs after the reply has gone.
    void release(BusCall& call);

private:
    ObjectRegistry& registry_;
};

}  // namespace corvane::remoting

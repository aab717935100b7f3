#pragma once

#include "Connection.h"
#include "Data.h"
#include "ObjectRef.h"

namespace corvane::client {

// The emulator itself (_SimServer), created as "CorvaneSim.SimServer". The
// last release of one that a client created asks the operator whether to end
// the server.
class SimServer {
public:
    static SimServer create(const Connection& connection);
    explicit SimServer(ObjectRef object) : object_(std::move(object)) {}

    // The latest session.
    Data data() const;
    void setData(const Data& data) const;

    const ObjectRef& object() const { return object_; }

private:
    ObjectRef object_;
};

}  // namespace corvane::client

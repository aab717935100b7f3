#pragma once

#include "ServerContext.h"

namespace corvane::remoting {

class BusCall;

// org.corvane.Automation1.ClassFactory on the root path.
class ClassFactoryCalls {
public:
    explicit ClassFactoryCalls(ServerContext context) : context_(context) {}

    // CreateInstance(s classId) -> (i hresult, o object, (iss) error)
    void createInstance(BusCall& call);

private:
    ServerContext context_;
};

}  // namespace corvane::remoting

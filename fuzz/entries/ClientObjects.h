#pragma once

#include "FuzzInput.h"

#include "automation/DispatchObject.h"
#include "automation/Object.h"

#include <vector>

namespace corvane {
class ServerProcess;
}

namespace corvane::fuzz {

// The references a fuzzed client holds, as a client program holds them: kept
// up to a limit, let go at random, and picked as the targets of calls.
class ClientObjects {
public:
    explicit ClientObjects(FuzzInput& in) : in_(in) {}

    // The references themselves, which the value sources pass as arguments.
    std::vector<automation::Ref<automation::Object>>& held() { return objects_; }

    void keep(const automation::Ref<automation::Object>& object);
    void releaseOne();
    // One of the held objects that has a dispatch interface; null when none has.
    automation::DispatchObject* pickDispatchTarget();
    // A session with one tag (its Data, Tags, Tag and TagDefinition), as most
    // clients start, so that short inputs already reach every class; nothing
    // when the tag store fails.
    void startSession(ServerProcess& process);

private:
    FuzzInput& in_;
    std::vector<automation::Ref<automation::Object>> objects_;
};

}  // namespace corvane::fuzz

#pragma once

#include "automation/DispatchObject.h"
#include "automation/TypeInfo.h"

namespace corvane {

class ServerProcess;

// Creates an object of a creatable class (Data or SimServer) in this process.
// Errors of the creation (a failed start-up) go to the caller.
automation::Ref<automation::DispatchObject> CreateInstance(ServerProcess& process,
                                                           const automation::ClassDescription& coclass);

}  // namespace corvane

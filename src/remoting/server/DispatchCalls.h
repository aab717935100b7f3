#pragma once

#include "ServerContext.h"

namespace corvane::automation {
class DispatchObject;
}

namespace corvane::remoting {

class BusCall;

// org.corvane.Automation1.Dispatch: names, calls and type information of a
// dispatch object, through the core's dispatcher.
class DispatchCalls {
public:
    explicit DispatchCalls(ServerContext context) : context_(context) {}

    // GetIDsOfNames(as names) -> (i hresult, ai ids)
    void getIDsOfNames(BusCall& call, automation::DispatchObject& target);
    // Invoke(i id, q flags, a(qv) args, ai namedIds)
    //   -> (i hresult, (qv) result, a(qv) args, (iss) excepinfo, u argErr)
    void invoke(BusCall& call, automation::DispatchObject& target);
    // GetTypeInfo() -> (s name, s iid, a(siqa(sqsbb)qsq) members)
    void getTypeInfo(BusCall& call, automation::DispatchObject& target);

private:
    ServerContext context_;
};

}  // namespace corvane::remoting

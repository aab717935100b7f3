#pragma once

#include <memory>

namespace corvane {
class OperatorActions;
}

namespace corvane::remoting {
class BusCall;
class BusServer;
}

namespace corvane::app {

// TEST HOOK, for the stress test only: when CORVANESIM_TEST_DIAGNOSTICS is
// "1" (set only by that test's bus service file), the server serves, on a
// path of its own outside the object tree, what the test needs to see that
// clients coming and going leave nothing behind: the registry's census, the
// heap in use, the calls served, and the operator's Clear of the write log
// (which otherwise keeps every write for good). An operator never sets it;
// without it nothing is served.
class DiagnosticsTestHook final {
public:
    static constexpr char kVariable[] = "CORVANESIM_TEST_DIAGNOSTICS";
    static constexpr char kPath[] = "/org/corvane/CorvaneSimTestDiagnostics";
    static constexpr char kInterface[] = "org.corvane.CorvaneSim.TestDiagnostics";

    // Served by `server` when the variable asks for it; null otherwise.
    static std::unique_ptr<DiagnosticsTestHook> installFromEnvironment(remoting::BusServer& server,
                                                                       OperatorActions& actions);

private:
    DiagnosticsTestHook(remoting::BusServer& server, OperatorActions& actions) : server_(server), actions_(actions) {}
    void handle(remoting::BusCall& call);
    // Census() -> (u clients, t clientReferences, t objectReferences, a{sv} exportedByClass, u heldByRegistryAlone)
    void census(remoting::BusCall& call);

    remoting::BusServer& server_;
    OperatorActions& actions_;
};

}  // namespace corvane::app

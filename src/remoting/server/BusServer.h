#pragma once

#include "BusConnection.h"
#include "ClassFactoryCalls.h"
#include "DirectConnections.h"
#include "DispatchCalls.h"
#include "EnumeratorCalls.h"
#include "FinalReleaseQueue.h"
#include "ObjectCalls.h"
#include "ObjectRegistry.h"
#include "OperatorCalls.h"

#include <QString>

#include <functional>
#include <memory>

namespace corvane {
class OperatorActions;
class ServerProcess;
}

namespace corvane::remoting {

class BusCall;

// The server side of the bus contract: the class factory on the root path and
// every exported object below it, served from the bus connection's messages
// on the Qt event loop, so that each message reaches us raw and untrusted.
// Anything malformed gets an error reply; nothing a client sends can end the
// process. The same routing serves the peers of the direct connections.
class BusServer final {
public:
    BusServer(ServerProcess& process, BusConnection& bus);
    ~BusServer();
    BusServer(const BusServer&) = delete;
    BusServer& operator=(const BusServer&) = delete;

    // Starts watching clients leave and claims the service name. False, with
    // the reason in `error`, when another server owns the name or the bus refuses.
    bool start(QString& error);
    // Serves the operator's controls too (before start, so that they are
    // there for the first call).
    void serveOperator(OperatorActions& actions);
    // Serves every call to `path` with `handler` (before start); for the
    // test hooks, outside the object tree.
    void servePath(const QString& path, std::function<void(BusCall&)> handler);

    ObjectRegistry& registry() { return registry_; }
    // Method calls answered so far, on the bus and the direct connections.
    quint64 callsServed() const { return callsServed_; }

private:
    void busMessage(BusMessage& message);
    void serve(BusMessage& message, BusConnection& connection, const QString& caller);
    // A client gone from the bus, or a direct connection closed.
    void clientLeft(const QString& client);
    void route(BusCall& call);
    void routeToObject(BusCall& call, automation::Object& object);
    void directAddress(BusCall& call);
    void unknownMethod(BusCall& call);

    BusConnection& bus_;
    // Where the call being served came from: last releases wait until the
    // replies sent on it have left.
    BusConnection* servingOn_;
    FinalReleaseQueue finalReleases_;
    ObjectRegistry registry_;
    ClassFactoryCalls factory_;
    ObjectCalls objectCalls_;
    DispatchCalls dispatchCalls_;
    EnumeratorCalls enumeratorCalls_;
    DirectConnections direct_;
    std::unique_ptr<OperatorCalls> operator_;
    QString extraPath_;
    std::function<void(BusCall&)> extraHandler_;
    quint64 callsServed_ = 0;
};

}  // namespace corvane::remoting

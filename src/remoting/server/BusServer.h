#pragma once

#include "ClassFactoryCalls.h"
#include "DirectConnections.h"
#include "DispatchCalls.h"
#include "EnumeratorCalls.h"
#include "FinalReleaseQueue.h"
#include "ObjectCalls.h"
#include "ObjectRegistry.h"
#include "OperatorCalls.h"

#include <QDBusConnection>
#include <QDBusVirtualObject>

#include <memory>

namespace corvane {
class OperatorActions;
class ServerProcess;
}

namespace corvane::remoting {

class BusCall;

// The server side of the bus contract: the class factory on the root path and
// every exported object below it, all served from one virtual object on the
// Qt event loop, so that each message reaches us raw and untrusted. Anything
// malformed gets an error reply; nothing a client sends can end the process.
// The same object serves the peers of the direct connections.
class BusServer final : public QDBusVirtualObject {
    Q_OBJECT

public:
    BusServer(ServerProcess& process, QDBusConnection connection);
    ~BusServer() override;

    // Publishes the object tree, starts watching clients leave and claims the
    // service name. False, with the reason in `error`, when another server
    // owns the name or the bus refuses.
    bool start(QString& error);
    // Serves the operator's controls too (before start, so that they are
    // there for the first call).
    void serveOperator(OperatorActions& actions);

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

    ObjectRegistry& registry() { return registry_; }
    // Method calls answered so far, on the bus and the direct connections.
    quint64 callsServed() const { return callsServed_; }

private slots:
    void nameOwnerChanged(const QString& name, const QString& oldOwner, const QString& newOwner);

private:
    // A client gone from the bus, or a direct connection closed.
    void clientLeft(const QString& client);
    void route(BusCall& call);
    void routeToObject(BusCall& call, automation::Object& object);
    void directAddress(BusCall& call);

    QDBusConnection connection_;
    // Where the call being served came from: last releases wait until the
    // replies sent on it have left.
    QDBusConnection servingOn_;
    FinalReleaseQueue finalReleases_;
    ObjectRegistry registry_;
    ClassFactoryCalls factory_;
    ObjectCalls objectCalls_;
    DispatchCalls dispatchCalls_;
    EnumeratorCalls enumeratorCalls_;
    DirectConnections direct_;
    std::unique_ptr<OperatorCalls> operator_;
    quint64 callsServed_ = 0;
};

}  // namespace corvane::remoting

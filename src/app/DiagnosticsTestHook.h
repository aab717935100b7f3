#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QVariantMap>

#include <memory>

namespace corvane::remoting {
class BusServer;
}

namespace corvane::app {

// TEST HOOK, for the stress test only: when CORVANESIM_TEST_DIAGNOSTICS is
// "1" (set only by that test's bus service file), the server publishes, on a
// path of its own outside the object tree, what the test needs to see that
// clients coming and going leave nothing behind: the registry's census, the
// heap in use, the calls served, and the operator's Clear of the write log
// (which otherwise keeps every write for good). An operator never sets it;
// without it nothing is published.
class DiagnosticsTestHook final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.corvane.CorvaneSim.TestDiagnostics")

public:
    static constexpr char kVariable[] = "CORVANESIM_TEST_DIAGNOSTICS";
    static constexpr char kPath[] = "/org/corvane/CorvaneSimTestDiagnostics";

    // Publishes the hook on `connection` when the variable asks for it; null otherwise.
    static std::unique_ptr<DiagnosticsTestHook> installFromEnvironment(remoting::BusServer& server,
                                                                       QDBusConnection connection);
    ~DiagnosticsTestHook() override;

public slots:
    // (u clients, t clientReferences, t objectReferences, a{sv} exportedByClass, u heldByRegistryAlone)
    uint Census(qulonglong& clientReferences, qulonglong& objectReferences, QVariantMap& exportedByClass,
                uint& heldByRegistryAlone);
    qulonglong HeapInUse();
    qulonglong CallsServed();
    // What the write log's Clear button does; nothing before the window exists.
    void ClearWriteLog();

private:
    DiagnosticsTestHook(remoting::BusServer& server, QDBusConnection connection);

    remoting::BusServer& server_;
    QDBusConnection connection_;
};

}  // namespace corvane::app

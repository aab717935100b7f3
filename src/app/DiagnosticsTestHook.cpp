#include "DiagnosticsTestHook.h"

#include "HeapInUse.h"

#include "remoting/server/BusServer.h"

#include <QApplication>
#include <QPushButton>

namespace corvane::app {

std::unique_ptr<DiagnosticsTestHook> DiagnosticsTestHook::installFromEnvironment(remoting::BusServer& server,
                                                                                QDBusConnection connection)
{
    if (qgetenv(kVariable) != "1") return nullptr;
    std::unique_ptr<DiagnosticsTestHook> hook(new DiagnosticsTestHook(server, connection));
    if (!connection.registerObject(QString::fromLatin1(kPath), hook.get(), QDBusConnection::ExportAllSlots))
        return nullptr;
    return hook;
}

DiagnosticsTestHook::DiagnosticsTestHook(remoting::BusServer& server, QDBusConnection connection)
    : server_(server), connection_(std::move(connection))
{
}

DiagnosticsTestHook::~DiagnosticsTestHook() { connection_.unregisterObject(QString::fromLatin1(kPath)); }

uint DiagnosticsTestHook::Census(qulonglong& clientReferences, qulonglong& objectReferences,
                                 QVariantMap& exportedByClass, uint& heldByRegistryAlone)
{
    const remoting::RegistryCensus census = server_.registry().census();
    clientReferences = census.clientReferences;
    objectReferences = census.objectReferences;
    exportedByClass.clear();
    for (const auto& [kind, count] : census.exportedByClass) exportedByClass.insert(kind, uint(count));
    heldByRegistryAlone = uint(census.heldByRegistryAlone);
    return uint(census.clients);
}

qulonglong DiagnosticsTestHook::HeapInUse() { return heapInUse(); }

qulonglong DiagnosticsTestHook::CallsServed() { return server_.callsServed(); }

void DiagnosticsTestHook::ClearWriteLog()
{
    // The button itself, so that the hook does no more than the operator can.
    for (QWidget* widget : QApplication::allWidgets())
        if (auto* clear = qobject_cast<QPushButton*>(widget); clear && clear->objectName() == QLatin1StringView("btnClearWriteLog"))
            clear->click();
}

}  // namespace corvane::app

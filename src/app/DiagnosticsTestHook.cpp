#include "DiagnosticsTestHook.h"

#include "HeapInUse.h"

#include "remoting/server/BusCall.h"
#include "remoting/server/BusServer.h"

#include "server/OperatorActions.h"

namespace corvane::app {

std::unique_ptr<DiagnosticsTestHook> DiagnosticsTestHook::installFromEnvironment(remoting::BusServer& server,
                                                                               OperatorActions& actions)
{
    if (qgetenv(kVariable) != "1") return nullptr;
    std::unique_ptr<DiagnosticsTestHook> hook(new DiagnosticsTestHook(server, actions));
    server.servePath(QString::fromLatin1(kPath), [hook = hook.get()](remoting::BusCall& call) { hook->handle(call); });
    return hook;
}

void DiagnosticsTestHook::handle(remoting::BusCall& call)
{
    const QString interface = call.interface();
    const QString member = call.member();
    if (!interface.isEmpty() && interface != QLatin1StringView(kInterface))
        return call.fail("org.freedesktop.DBus.Error.UnknownMethod", member);
    if (!call.expectSignature("")) return;
    if (member == QLatin1StringView("Census")) return census(call);
    if (member == QLatin1StringView("HeapInUse") || member == QLatin1StringView("CallsServed")) {
        remoting::BusMessage reply = call.newReply();
        reply.appendUInt64(member == QLatin1StringView("HeapInUse") ? heapInUse() : server_.callsServed());
        return call.send(reply);
    }
    if (member == QLatin1StringView("ClearWriteLog")) {
        // A click on the button, as the operator's interface clicks it.
        actions_.clearWriteLog();
        return call.reply();
    }
    call.fail("org.freedesktop.DBus.Error.UnknownMethod", member);
}

void DiagnosticsTestHook::census(remoting::BusCall& call)
{
    const remoting::RegistryCensus census = server_.registry().census();
    remoting::BusMessage reply = call.newReply();
    reply.appendUInt32(std::uint32_t(census.clients));
    reply.appendUInt64(census.clientReferences);
    reply.appendUInt64(census.objectReferences);
    reply.open('a', "{sv}");
    for (const auto& [kind, count] : census.exportedByClass) {
        reply.open('e', "sv");
        reply.appendText(QString(kind).toUtf8().constData());
        reply.open('v', "u");
        reply.appendUInt32(std::uint32_t(count));
        reply.close();
        reply.close();
    }
    reply.close();
    reply.appendUInt32(std::uint32_t(census.heldByRegistryAlone));
    call.send(reply);
}

}  // namespace corvane::app

#pragma once

#include "remoting/server/RegistryCensus.h"

#include <QDBusConnection>
#include <QString>

#include <cstdint>

namespace corvane::stress {

// What the server's registry holds, as its diagnostics test hook tells.
using Census = remoting::RegistryCensus;

// The objects exported, by class: "Data 1, Tags 1".
QString exportedText(const Census& census);

// The server's test hook (CORVANESIM_TEST_DIAGNOSTICS=1, src/app/DiagnosticsTestHook.h) and
// what the bus and /proc tell about the server process. Failures throw
// std::runtime_error: without them the run cannot be judged.
class ServerDiagnostics {
public:
    explicit ServerDiagnostics(QDBusConnection connection);

    Census census();
    std::uint64_t heapInUse();
    std::uint64_t callsServed();
    void clearWriteLog();
    // A call that every object's path answers and that holds no reference;
    // the server runs its collection of unclaimed objects after each call.
    void introspectRoot();

    // The process that owns the service name now, 0 when none.
    std::uint32_t serverPid();

private:
    QDBusMessage callHook(const char* member);

    QDBusConnection connection_;
};

// VmRSS of a process from /proc, in KiB; 0 when it cannot be read.
std::uint64_t residentKiB(std::uint32_t pid);

}  // namespace corvane::stress

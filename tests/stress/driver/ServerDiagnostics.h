#pragma once

#include <QDBusConnection>
#include <QString>

#include <cstdint>
#include <map>

namespace corvane::stress {

// What the server's registry holds, as its diagnostics test hook tells.
struct Census {
    std::uint32_t clients = 0;
    std::uint64_t clientReferences = 0;
    std::uint64_t objectReferences = 0;
    std::map<QString, std::uint32_t> exportedByClass;
    std::uint32_t heldByRegistryAlone = 0;

    std::uint64_t exported() const;
    // "Data 1, Tags 1"
    QString exportedText() const;
};

// The server's test hook (CORVANESIM_TEST_DIAGNOSTICS=1, docs/dbus.md) and
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

#pragma once

#include <QDBusConnection>

#include <cstdint>
#include <set>

namespace corvane::stress {

// Waits, on the bus's NameOwnerChanged signals, until every connection left
// on the bus belongs to one of `processes` (the driver and the server): the
// server has then been told of every client that left. False on the deadline.
bool waitUntilOnlyTheseOnBus(QDBusConnection connection, const std::set<std::uint32_t>& processes, int timeoutMs);

}  // namespace corvane::stress

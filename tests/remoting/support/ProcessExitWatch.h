#pragma once

#include <sys/types.h>

namespace corvane::remoting::test {

// Waits, on the event loop, for a process that is not our child to end
// (through a pidfd, which becomes readable when it does).
bool waitForProcessEnd(pid_t pid, int timeoutMs = 10000);

}  // namespace corvane::remoting::test

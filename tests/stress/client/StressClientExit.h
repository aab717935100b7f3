#pragma once

namespace corvane::stress {

// How a stress client ends when nobody kills it.
enum StressClientExit : int {
    kClientDone = 0,
    kClientUsage = 2,
    kClientWrongAnswer = 3,  // a check failed
    kClientFailedCall = 4,   // a call failed that nothing explains
    kClientServerGone = 5,   // the server went away
};

}  // namespace corvane::stress

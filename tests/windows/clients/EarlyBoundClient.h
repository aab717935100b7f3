#pragma once

#include <windows.h>

namespace corvane::com::test {

// Checks made by a client that calls through the interfaces' vtables, across
// the process boundary by the type-library marshaller; the number that failed.
int runEarlyBoundClient();

}  // namespace corvane::com::test

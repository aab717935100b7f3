#pragma once

#include "FakeConsole.h"
#include "FuzzInput.h"
#include "MemoryDataLayer.h"
#include "automation/Clock.h"
#include "automation/RegionalSettings.h"
#include "server/ServerProcess.h"
#include "server/TagStore.h"

namespace corvane::fuzz {

// A whole server process over the in-memory doubles, set up from the first
// bytes of an input: the regional settings, the operator's synthesis settings,
// and a tag database that is there, missing, or holds rows the load refuses.
class ServerScene {
public:
    explicit ServerScene(FuzzInput& in);
    ServerScene(const ServerScene&) = delete;
    ServerScene& operator=(const ServerScene&) = delete;

    // The operator changes a setting of the window.
    void operatorStep(FuzzInput& in);

    testing::FakeConsole console;
    testing::MemoryDataLayer dataLayer;
    automation::SettableClock clock;
    const automation::RegionalSettings& regional;
    TagStore tagStore;
    ServerProcess process;
};

}  // namespace corvane::fuzz

#pragma once

#include "automation/Clock.h"
#include "automation/RegionalSettings.h"
#include "server/ServerProcess.h"
#include "server/TagDataLayer.h"
#include "server/TagStore.h"
#include "ui/QtOperatorConsole.h"

#include <memory>

namespace corvane::bench {

// A server process over the real operator windows (offscreen) and an empty
// in-memory tag database: what a client's calls cost in process, window work
// included, without the bus.
class LiveServer {
public:
    LiveServer();
    ~LiveServer();

    ui::QtOperatorConsole console;
    std::unique_ptr<TagDataLayer> dataLayer;
    automation::SettableClock clock{{2026, 12, 6, 10, 0, 0}};
    std::unique_ptr<TagStore> tagStore;
    std::unique_ptr<ServerProcess> process;
};

}  // namespace corvane::bench

#pragma once

#include "automation/Clock.h"
#include "automation/Object.h"
#include "automation/RegionalSettings.h"
#include "server/SessionSettings.h"

namespace corvane {

class Data;
class OperatorConsole;
class SimServer;
class TagStore;

// The state that belongs to the whole server process, and the narrow
// interfaces through which the object model reaches the outside. Every object
// of the model holds on to the one ServerProcess it was made in.
class ServerProcess {
public:
    ServerProcess(OperatorConsole& console, TagStore& tagStore, const automation::Clock& clock,
                  const automation::RegionalSettings& regional);
    // Breaks the server's own reference cycle without running its shut-down:
    // a process that really ends never gets here (the window ends it at once).
    ~ServerProcess();
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    OperatorConsole& console;
    TagStore& tagStore;
    const automation::Clock& clock;
    const automation::RegionalSettings& regional;

    corvane::SessionSettings SessionSettings;
    // The SimServer that sessions link to; filled by the first Data, never emptied.
    automation::Ref<SimServer> ServerInstance;

    // The session the window works with: the Data of ServerInstance (may be empty).
    automation::Ref<Data> currentSession() const;
    // True while the process object itself is being torn down.
    bool tearingDown() const { return tearingDown_; }

private:
    bool tearingDown_ = false;
};

}  // namespace corvane

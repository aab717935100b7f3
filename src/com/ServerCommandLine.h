#pragma once

#include <string>
#include <vector>

namespace corvane::com {

// What corvanesim.exe was started to do. Switches begin with / or - and are
// read in any letter case: RegServer and UnregServer (per machine), their
// per-user forms RegServerPerUser and UnregServerPerUser, and Embedding or
// Automation, with which COM starts the server for a client.
struct ServerCommandLine {
    enum class Action { Serve, Register, Unregister };
    Action action = Action::Serve;
    bool perUser = false;
    bool startedForClient = false;
    // A switch this program does not know (the first one); empty when none.
    std::wstring unknownSwitch;

    static ServerCommandLine parse(const std::vector<std::wstring>& arguments);
};

}  // namespace corvane::com

#pragma once

#include "automation/Variant.h"

namespace corvane {

class ServerProcess;

// The two ends of the query window. A text start is an offset in minutes from
// now ("NOW-60M"), resolved when it is set; any text end means now; dates are
// stored as given. Both are echoed on the window as "dd mmm yyyy  hh:mm:ss".
class TimeWindow {
public:
    explicit TimeWindow(ServerProcess& process) : process_(process) {}

    // Errors 13, 6 and 5 for a text that is no offset, an offset beyond 32
    // bits, or a start outside the years 100 to 9999; nothing changes then.
    void letStartTime(const automation::Variant& varDate);
    void letEndTime(const automation::Variant& varDate);

private:
    ServerProcess& process_;
};

}  // namespace corvane

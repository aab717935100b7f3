#pragma once

#include "automation/Object.h"

#include <QDBusConnection>
#include <QObject>

#include <vector>

namespace corvane::remoting {

// Runs the registry's last releases of objects once the replies sent so far
// have left this process. A last release can run for as long as the operator
// likes (a SimServer's asks whether to exit, in a modal box) or end the
// process at once (on Yes), and the client whose Release caused it must not
// be left waiting for its reply meanwhile. Qt D-Bus sends from a thread of
// its own, so a reply handed to it may not yet be written; a round trip to
// the bus, queued behind the reply, proves that it is, and the bus keeps it
// for the client even if this process ends.
class FinalReleaseQueue {
public:
    explicit FinalReleaseQueue(QDBusConnection connection) : connection_(std::move(connection)) {}
    FinalReleaseQueue(const FinalReleaseQueue&) = delete;
    FinalReleaseQueue& operator=(const FinalReleaseQueue&) = delete;

    void add(automation::Ref<automation::Object> object);

private:
    void sendRoundTrip();

    QDBusConnection connection_;
    // Owns the round trips in flight, so that none calls back after the queue is gone.
    QObject roundTrips_;
    std::vector<automation::Ref<automation::Object>> waiting_;
    bool roundTripInFlight_ = false;
};

}  // namespace corvane::remoting

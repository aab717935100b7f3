#pragma once

#include "BusConnection.h"

#include "automation/Object.h"

#include <QObject>
#include <QPointer>

#include <vector>

namespace corvane::remoting {

// Runs the registry's last releases of objects once the replies sent so far
// have left this process. A last release can run for as long as the operator
// likes (a SimServer's asks whether to exit, in a modal box) or end the
// process at once (on Yes), and the client whose Release caused it must not
// be left waiting for its reply meanwhile (see afterSentMessagesLeave).
class FinalReleaseQueue {
public:
    FinalReleaseQueue() = default;
    FinalReleaseQueue(const FinalReleaseQueue&) = delete;
    FinalReleaseQueue& operator=(const FinalReleaseQueue&) = delete;

    // `repliedOn` carries the replies that must leave before `object` goes.
    void add(automation::Ref<automation::Object> object, BusConnection& repliedOn);

private:
    struct Waiting {
        automation::Ref<automation::Object> object;
        QPointer<BusConnection> repliedOn;  // gone with its peer: nothing of it is left to leave
    };
    void sendRoundTrips();

    // Owns the round trips in flight, so that none calls back after the queue is gone.
    QObject roundTrips_;
    std::vector<Waiting> waiting_;
    bool inFlight_ = false;
};

}  // namespace corvane::remoting

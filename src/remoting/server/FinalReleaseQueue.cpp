#include "FinalReleaseQueue.h"

#include "RoundTrip.h"

#include <algorithm>
#include <memory>

namespace corvane::remoting {

using automation::Object;
using automation::Ref;

void FinalReleaseQueue::add(Ref<Object> object, BusConnection& repliedOn)
{
    waiting_.push_back({std::move(object), QPointer<BusConnection>(&repliedOn)});
    if (!inFlight_) sendRoundTrips();
}

void FinalReleaseQueue::sendRoundTrips()
{
    // Objects queued after these round trips left wait for the next ones:
    // their replies may be behind them.
    auto batch = std::make_shared<std::vector<Waiting>>(std::move(waiting_));
    waiting_.clear();
    inFlight_ = true;

    std::vector<BusConnection*> pinged;
    for (const Waiting& waiting : *batch)
        if (waiting.repliedOn && std::find(pinged.begin(), pinged.end(), waiting.repliedOn.data()) == pinged.end())
            pinged.push_back(waiting.repliedOn.data());
    auto outstanding = std::make_shared<int>(int(pinged.size()));
    auto due = [this, batch, outstanding] {
        if (--*outstanding > 0) return;
        inFlight_ = false;
        if (!waiting_.empty()) sendRoundTrips();
        // An error (the bus or the peer gone) changes nothing: the releases
        // are due either way. In the order they came; each may run a nested
        // event loop meanwhile.
        for (Waiting& last : *batch) last.object.reset();
    };
    if (pinged.empty()) {
        ++*outstanding;
        QMetaObject::invokeMethod(&roundTrips_, due, Qt::QueuedConnection);
        return;
    }
    for (BusConnection* connection : pinged) afterSentMessagesLeave(*connection, &roundTrips_, due);
}

}  // namespace corvane::remoting

#include "FinalReleaseQueue.h"

#include "RoundTrip.h"

#include <QStringList>

#include <memory>

namespace corvane::remoting {

using automation::Object;
using automation::Ref;

void FinalReleaseQueue::add(Ref<Object> object, const QDBusConnection& repliedOn)
{
    waiting_.push_back({std::move(object), repliedOn});
    if (!inFlight_) sendRoundTrips();
}

void FinalReleaseQueue::sendRoundTrips()
{
    // Objects queued after these round trips left wait for the next ones:
    // their replies may be behind them.
    auto batch = std::make_shared<std::vector<Waiting>>(std::move(waiting_));
    waiting_.clear();
    inFlight_ = true;

    QStringList pinged;
    auto outstanding = std::make_shared<int>(0);
    for (const Waiting& waiting : *batch) {
        if (pinged.contains(waiting.repliedOn.name())) continue;
        pinged.push_back(waiting.repliedOn.name());
        ++*outstanding;
        afterSentMessagesLeave(waiting.repliedOn, &roundTrips_, [this, batch, outstanding] {
            if (--*outstanding > 0) return;
            inFlight_ = false;
            if (!waiting_.empty()) sendRoundTrips();
            // An error (the bus or the peer gone) changes nothing: the releases
            // are due either way. In the order they came; each may run a nested
            // event loop meanwhile.
            for (Waiting& last : *batch) last.object.reset();
        });
    }
}

}  // namespace corvane::remoting

#include "FinalReleaseQueue.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>

#include <memory>

namespace corvane::remoting {

using automation::Object;
using automation::Ref;

void FinalReleaseQueue::add(Ref<Object> object)
{
    waiting_.push_back(std::move(object));
    if (!roundTripInFlight_) sendRoundTrip();
}

void FinalReleaseQueue::sendRoundTrip()
{
    // Objects queued after this round trip left wait for the next one: their
    // replies may be behind it.
    auto batch = std::make_shared<std::vector<Ref<Object>>>(std::move(waiting_));
    waiting_.clear();
    roundTripInFlight_ = true;

    const QDBusMessage ping = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
                                                            QStringLiteral("/org/freedesktop/DBus"),
                                                            QStringLiteral("org.freedesktop.DBus.Peer"),
                                                            QStringLiteral("Ping"));
    auto* watcher = new QDBusPendingCallWatcher(connection_.asyncCall(ping), &roundTrips_);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, &roundTrips_, [this, batch, watcher] {
        watcher->deleteLater();
        roundTripInFlight_ = false;
        if (!waiting_.empty()) sendRoundTrip();
        // An error (the bus gone) changes nothing: the releases are due either way.
        // In the order they came; each may run a nested event loop meanwhile.
        for (Ref<Object>& last : *batch) last.reset();
    });
}

}  // namespace corvane::remoting

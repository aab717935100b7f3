#include "FinalReleaseQueue.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QStringList>

#include <memory>

namespace corvane::remoting {

using automation::Object;
using automation::Ref;

namespace {

QDBusMessage roundTripOn(const QDBusConnection& connection)
{
    // A peer has no bus name; libdbus answers Peer.Ping on any connection by itself.
    const bool peer = connection.baseService().isEmpty();
    return QDBusMessage::createMethodCall(peer ? QString() : QStringLiteral("org.freedesktop.DBus"),
                                          peer ? QStringLiteral("/") : QStringLiteral("/org/freedesktop/DBus"),
                                          QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping"));
}

}  // namespace

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
        auto* watcher = new QDBusPendingCallWatcher(waiting.repliedOn.asyncCall(roundTripOn(waiting.repliedOn)), &roundTrips_);
        QObject::connect(watcher, &QDBusPendingCallWatcher::finished, &roundTrips_, [this, batch, watcher, outstanding] {
            watcher->deleteLater();
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

#pragma once

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QSignalSpy>

namespace corvane::remoting::test {

// Watches the server's bus name go, from the moment it is made.
class NameGone {
public:
    explicit NameGone(const QDBusConnection& connection)
        : watcher_(QStringLiteral("org.corvane.CorvaneSim"), connection, QDBusServiceWatcher::WatchForUnregistration),
          spy_(&watcher_, &QDBusServiceWatcher::serviceUnregistered)
    {
    }
    // Waits on the event loop until it has gone.
    bool wait() { return !spy_.isEmpty() || spy_.wait(30000); }

private:
    QDBusServiceWatcher watcher_;
    QSignalSpy spy_;
};

}  // namespace corvane::remoting::test

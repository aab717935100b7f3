#include "BusQuiet.h"

#include <QDBusConnectionInterface>
#include <QEventLoop>
#include <QTimer>

namespace corvane::stress {

namespace {

// Tells the waiting loop whenever a name changes owner.
class NameChanges final : public QObject {
    Q_OBJECT

public:
    NameChanges(QDBusConnection connection, QEventLoop& loop) : connection_(std::move(connection)), loop_(loop)
    {
        connection_.connect(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameOwnerChanged"), this,
                            SLOT(changed()));
    }
    ~NameChanges() override
    {
        connection_.disconnect(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                               QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameOwnerChanged"), this,
                               SLOT(changed()));
    }

public slots:
    void changed() { loop_.exit(0); }

private:
    QDBusConnection connection_;
    QEventLoop& loop_;
};

bool onlyThese(QDBusConnection& connection, const std::set<std::uint32_t>& processes)
{
    const QDBusReply<QStringList> names = connection.interface()->registeredServiceNames();
    if (!names.isValid()) return false;
    for (const QString& name : names.value()) {
        if (!name.startsWith(QLatin1Char(':'))) continue;
        const QDBusReply<uint> pid = connection.interface()->servicePid(name);
        // A name gone between the two questions has left.
        if (pid.isValid() && !processes.contains(pid.value())) return false;
    }
    return true;
}

}  // namespace

bool waitUntilOnlyTheseOnBus(QDBusConnection connection, const std::set<std::uint32_t>& processes, int timeoutMs)
{
    QEventLoop loop;
    NameChanges changes(connection, loop);
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&loop] { loop.exit(1); });
    deadline.start(timeoutMs);
    // Subscribed before the first look, so that no change slips between.
    while (!onlyThese(connection, processes))
        if (loop.exec() != 0) return false;
    return true;
}

}  // namespace corvane::stress

#include "BusQuiet.moc"

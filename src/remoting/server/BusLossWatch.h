#pragma once

#include <QDBusConnection>
#include <QObject>

#include <functional>

namespace corvane::remoting {

// Calls back when the connection to the bus is lost. Qt D-Bus carries on
// without one, but a server that can no longer be reached has no reason to
// live, and one started by the bus would otherwise outlive it.
class BusLossWatch final : public QObject {
    Q_OBJECT

public:
    BusLossWatch(QDBusConnection connection, std::function<void()> onLoss);
    // Takes the watch off the connection before it goes. Qt D-Bus closes a
    // connection on a thread of its own and, while closing, touches every
    // object still listening to it: a watch deleted on this thread in the
    // meantime would be touched after its death.
    ~BusLossWatch() override;

private slots:
    void disconnected();

private:
    QDBusConnection connection_;
    std::function<void()> onLoss_;
};

}  // namespace corvane::remoting

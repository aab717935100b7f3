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

private slots:
    void disconnected();

private:
    std::function<void()> onLoss_;
};

}  // namespace corvane::remoting

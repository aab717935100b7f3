#include "BusLossWatch.h"

namespace corvane::remoting {

BusLossWatch::BusLossWatch(QDBusConnection connection, std::function<void()> onLoss) : onLoss_(std::move(onLoss))
{
    // The bus library itself raises this signal on the connection when the
    // bus goes away; no message from the bus could.
    connection.connect(QString(), QStringLiteral("/org/freedesktop/DBus/Local"),
                       QStringLiteral("org.freedesktop.DBus.Local"), QStringLiteral("Disconnected"), this,
                       SLOT(disconnected()));
}

void BusLossWatch::disconnected() { onLoss_(); }

}  // namespace corvane::remoting

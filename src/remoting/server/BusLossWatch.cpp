#include "BusLossWatch.h"

namespace corvane::remoting {

namespace {

// The bus library itself raises this signal on the connection when the bus
// goes away; no message from the bus could.
const QString kLocalPath = QStringLiteral("/org/freedesktop/DBus/Local");
const QString kLocalInterface = QStringLiteral("org.freedesktop.DBus.Local");
const QString kDisconnected = QStringLiteral("Disconnected");

}  // namespace

BusLossWatch::BusLossWatch(QDBusConnection connection, std::function<void()> onLoss)
    : connection_(std::move(connection)), onLoss_(std::move(onLoss))
{
    connection_.connect(QString(), kLocalPath, kLocalInterface, kDisconnected, this, SLOT(disconnected()));
}

BusLossWatch::~BusLossWatch()
{
    connection_.disconnect(QString(), kLocalPath, kLocalInterface, kDisconnected, this, SLOT(disconnected()));
}

void BusLossWatch::disconnected() { onLoss_(); }

}  // namespace corvane::remoting

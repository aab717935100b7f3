#pragma once

#include "Transport.h"

#include <QDBusConnection>

#include <memory>

namespace corvane::client {

// Calls over a bus, addressed to the server's well-known name until the
// server is known.
class BusTransport final : public Transport {
public:
    // A connection of its own (its own unique name, so its own references).
    // Throw RemoteError (server unavailable) when there is no such bus.
    static std::unique_ptr<BusTransport> toSessionBus();
    static std::unique_ptr<BusTransport> toAddress(const QString& address);

    // Over a connection that the caller opened and keeps open.
    explicit BusTransport(QDBusConnection connection);
    ~BusTransport() override;
    BusTransport(const BusTransport&) = delete;
    BusTransport& operator=(const BusTransport&) = delete;

    QDBusMessage call(const QDBusMessage& call, int timeoutMs) override;
    QString serviceName() const override;
    const QDBusConnection& connection() const { return connection_; }

private:
    BusTransport(QDBusConnection connection, bool owned);
    static std::unique_ptr<BusTransport> opened(QDBusConnection connection, const QString& bus);

    QDBusConnection connection_;
    bool owned_;
};

}  // namespace corvane::client

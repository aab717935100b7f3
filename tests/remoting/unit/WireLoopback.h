#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusServer>
#include <QDBusVirtualObject>

#include <memory>

namespace corvane::remoting::test {

// Carries message arguments through a real D-Bus connection, peer to peer
// with no bus in between, so that the far end reads them exactly as a server
// reads a client's call.
class WireLoopback {
public:
    WireLoopback();
    ~WireLoopback();

    bool ready() const { return client_.isConnected() && serverSide_.isConnected(); }
    // The call as it arrives at the far end.
    QDBusMessage carry(const QVariantList& arguments);

private:
    class Receiver;

    QDBusServer server_;
    QDBusConnection serverSide_{QString()};
    QDBusConnection client_{QString()};
    std::unique_ptr<Receiver> receiver_;
};

}  // namespace corvane::remoting::test

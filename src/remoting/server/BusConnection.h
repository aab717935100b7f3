#pragma once

#include "remoting/common/BusMessage.h"

#include <systemd/sd-bus.h>

#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>
#include <string>


namespace corvane::remoting {

// One D-Bus connection (to the bus, or to a peer of the direct socket) driven
// by the Qt event loop on this thread: the library reads and writes when the
// socket is ready and its deadlines come, and hands over every message it does
// not answer itself. Each message is handled outside the library's own
// processing, so a handler may run a nested event loop (the operator's exit
// question) in which this and every other connection go on being served.
class BusConnection final : public QObject {
    Q_OBJECT

public:
    // To the session bus, as a client with a unique name; null with the
    // reason in `error` when there is none to reach.
    static std::unique_ptr<BusConnection> toSessionBus(QString& error);
    // The server's end of a peer that connected to the direct socket: `socket`
    // is taken over, and `guid` is the server's identity in the address.
    static std::unique_ptr<BusConnection> servePeer(int socket, const std::string& guid, QString& error);
    ~BusConnection() override;
    BusConnection(const BusConnection&) = delete;
    BusConnection& operator=(const BusConnection&) = delete;

    // Every method call and signal that the library leaves to us.
    void onMessage(std::function<void(BusMessage&)> handler) { onMessage_ = std::move(handler); }
    // The connection has gone: the bus or the peer closed it. Heard once.
    void onLoss(std::function<void()> handler) { onLoss_ = std::move(handler); }

    bool isPeer() const { return peer_; }
    bool isOpen() const;
    // The unique bus name; "" on a peer connection.
    std::string uniqueName() const;
    sd_bus* bus() const { return bus_; }

    // Messages to send on this connection.
    BusMessage newMethodCall(const char* destination, const char* path, const char* interface, const char* member);
    BusMessage newSignal(const char* path, const char* interface, const char* member);
    BusMessage newReply(const BusMessage& call);
    BusMessage newError(const BusMessage& call, const char* name, const QString& text);

    // Queues `message` for sending; false when the connection is gone.
    bool send(BusMessage& message);
    // Sends `call` and runs `then` with its reply, or the error standing for
    // it when the connection goes first; `then` runs outside the library.
    bool callThen(BusMessage& call, std::function<void(BusMessage& reply)> then);

private:
    BusConnection(sd_bus* bus, bool peer);
    static int replyArrived(sd_bus_message* reply, void* data, sd_bus_error*);

    void process();
    void rearm();
    void lost();

    sd_bus* bus_;
    bool peer_;
    bool gone_ = false;
    std::unique_ptr<QSocketNotifier> readable_;
    std::unique_ptr<QSocketNotifier> writable_;
    QTimer deadline_;
    std::function<void(BusMessage&)> onMessage_;
    std::function<void()> onLoss_;
    // Replies to our own calls, kept until the library's processing returns.
    std::deque<std::pair<std::function<void(BusMessage&)>, BusMessage>> replies_;
};

}  // namespace corvane::remoting

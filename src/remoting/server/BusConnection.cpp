#include "BusConnection.h"

#include "remoting/common/SessionBus.h"

#include <systemd/sd-bus.h>
#include <systemd/sd-id128.h>

#include <QPointer>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

#include <poll.h>
#include <time.h>
#include <unistd.h>

namespace corvane::remoting {

namespace {

// Messages handled in one turn of the event loop before the rest wait for
// the next, so that a busy client cannot starve the windows.
constexpr int kMessagesPerTurn = 64;

QString reason(int error) { return QString::fromLocal8Bit(std::strerror(-error)); }

std::uint64_t nowMicroseconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return std::uint64_t(now.tv_sec) * 1'000'000u + std::uint64_t(now.tv_nsec) / 1000u;
}

struct PendingCall {
    BusConnection* connection;
    std::function<void(BusMessage&)> then;
};

}  // namespace

std::unique_ptr<BusConnection> BusConnection::toSessionBus(QString& error)
{
    int result = 0;
    sd_bus* bus = connectToSessionBus(std::getenv("DBUS_SESSION_BUS_ADDRESS"), result);
    if (bus == nullptr) {
        error = QStringLiteral("cannot reach the session bus: %1").arg(reason(result));
        return nullptr;
    }
    return std::unique_ptr<BusConnection>(new BusConnection(bus, false));
}

std::unique_ptr<BusConnection> BusConnection::servePeer(int socket, const std::string& guid, QString& error)
{
    sd_bus* bus = nullptr;
    sd_id128_t id{};
    int result = sd_id128_from_string(guid.c_str(), &id);
    if (result >= 0) result = sd_bus_new(&bus);
    if (result >= 0) result = sd_bus_set_fd(bus, socket, socket);
    if (result >= 0) result = sd_bus_set_server(bus, 1, id);
    if (result >= 0) result = sd_bus_start(bus);
    if (result < 0) {
        error = QStringLiteral("cannot serve the peer: %1").arg(reason(result));
        if (bus != nullptr) sd_bus_close_unref(bus);  // closes the socket too, once taken
        else ::close(socket);
        return nullptr;
    }
    return std::unique_ptr<BusConnection>(new BusConnection(bus, true));
}

BusConnection::BusConnection(sd_bus* bus, bool peer) : bus_(bus), peer_(peer)
{
    const int fd = sd_bus_get_fd(bus_);
    readable_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    writable_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Write);
    connect(readable_.get(), &QSocketNotifier::activated, this, &BusConnection::process);
    connect(writable_.get(), &QSocketNotifier::activated, this, &BusConnection::process);
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, &BusConnection::process);
    // Whatever the library already holds (Hello's answer, a first call) is served at once.
    deadline_.start(0);
}

BusConnection::~BusConnection()
{
    readable_.reset();
    writable_.reset();
    sd_bus_close_unref(bus_);
}

bool BusConnection::isOpen() const { return !gone_ && sd_bus_is_open(bus_) > 0; }

std::string BusConnection::uniqueName() const
{
    const char* unique = nullptr;
    if (peer_ || sd_bus_get_unique_name(bus_, &unique) < 0 || unique == nullptr) return {};
    return unique;
}

BusMessage BusConnection::newMethodCall(const char* destination, const char* path, const char* interface,
                                        const char* member)
{
    sd_bus_message* message = nullptr;
    sd_bus_message_new_method_call(bus_, &message, destination, path, interface, member);
    return BusMessage::adopt(message);
}

BusMessage BusConnection::newSignal(const char* path, const char* interface, const char* member)
{
    sd_bus_message* message = nullptr;
    sd_bus_message_new_signal(bus_, &message, path, interface, member);
    return BusMessage::adopt(message);
}

BusMessage BusConnection::newReply(const BusMessage& call)
{
    sd_bus_message* message = nullptr;
    sd_bus_message_new_method_return(call.get(), &message);
    return BusMessage::adopt(message);
}

BusMessage BusConnection::newError(const BusMessage& call, const char* name, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    const sd_bus_error error{name, utf8.constData(), 0};
    sd_bus_message* message = nullptr;
    sd_bus_message_new_method_error(call.get(), &message, &error);
    return BusMessage::adopt(message);
}

bool BusConnection::send(BusMessage& message)
{
    if (gone_ || !message) return false;
    const int result = sd_bus_send(bus_, message.get(), nullptr);
    // What the socket did not take at once goes when it is writable again.
    rearm();
    return result >= 0;
}

bool BusConnection::callThen(BusMessage& call, std::function<void(BusMessage& reply)> then)
{
    if (gone_ || !call) return false;
    auto* pending = new PendingCall{this, std::move(then)};
    sd_bus_slot* slot = nullptr;
    if (sd_bus_call_async(bus_, &slot, call.get(), &BusConnection::replyArrived, pending, 0) < 0) {
        delete pending;
        return false;
    }
    sd_bus_slot_set_destroy_callback(slot, [](void* data) { delete static_cast<PendingCall*>(data); });
    // The bus keeps the slot until the reply (or the error standing for it) has come.
    sd_bus_slot_set_floating(slot, 1);
    sd_bus_slot_unref(slot);
    rearm();
    return true;
}

int BusConnection::replyArrived(sd_bus_message* reply, void* data, sd_bus_error*)
{
    // Inside the library's processing: the continuation waits until it returns.
    auto* pending = static_cast<PendingCall*>(data);
    pending->connection->replies_.emplace_back(std::move(pending->then), BusMessage::share(reply));
    return 1;
}

void BusConnection::process()
{
    if (gone_) return;
    const QPointer<BusConnection> alive(this);
    for (int turn = 0; turn < kMessagesPerTurn; ++turn) {
        sd_bus_message* raw = nullptr;
        const int result = sd_bus_process(bus_, &raw);
        BusMessage message = BusMessage::adopt(raw);
        while (!replies_.empty()) {
            auto [then, reply] = std::move(replies_.front());
            replies_.pop_front();
            if (then) then(reply);
            if (!alive || gone_) return;
        }
        if (result < 0 || (message && message.isSignal("org.freedesktop.DBus.Local", "Disconnected"))) return lost();
        if (message) {
            if (onMessage_) onMessage_(message);
            if (!alive || gone_) return;
        } else if (result == 0) {
            return rearm();
        }
    }
    // More is waiting: the rest in the next turn of the event loop.
    rearm();
    deadline_.start(0);
}

void BusConnection::rearm()
{
    if (gone_) return;
    const int events = sd_bus_get_events(bus_);
    if (events < 0) {
        // Closed under us: heard in the next turn, outside whatever is sending.
        deadline_.start(0);
        return;
    }
    readable_->setEnabled((events & POLLIN) != 0);
    writable_->setEnabled((events & POLLOUT) != 0);
    std::uint64_t until = UINT64_MAX;
    if (sd_bus_get_timeout(bus_, &until) < 0 || until == UINT64_MAX) {
        if (deadline_.isActive() && deadline_.interval() != 0) deadline_.stop();
        return;
    }
    const std::uint64_t now = nowMicroseconds();
    const int ms = until <= now ? 0 : int(std::min<std::uint64_t>((until - now + 999) / 1000, INT_MAX));
    if (!deadline_.isActive() || deadline_.remainingTime() > ms) deadline_.start(ms);
}

void BusConnection::lost()
{
    if (gone_) return;
    gone_ = true;
    readable_->setEnabled(false);
    writable_->setEnabled(false);
    deadline_.stop();
    if (onLoss_) onLoss_();
}

}  // namespace corvane::remoting

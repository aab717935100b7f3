#include "BlockingBus.h"

#include "corvanesim/RemoteError.h"

#include "remoting/common/BlockingCall.h"
#include "remoting/common/WireText.h"

#include <systemd/sd-bus.h>

#include <cstdlib>
#include <cstring>

namespace corvane::client {

namespace {

[[noreturn]] void unavailable(const std::string& where, int error)
{
    throw RemoteError(hresult::kServerUnavailable,
                      remoting::toU16(QStringLiteral("Cannot connect to %1: %2")
                                          .arg(QString::fromStdString(where), QString::fromLocal8Bit(std::strerror(-error)))));
}

}  // namespace

std::unique_ptr<BlockingBus> BlockingBus::open(const std::string& address, Kind kind)
{
    sd_bus* bus = nullptr;
    int result = sd_bus_new(&bus);
    if (result >= 0) result = sd_bus_set_address(bus, address.c_str());
    if (result >= 0) result = sd_bus_set_bus_client(bus, kind == Kind::Bus);
    if (result >= 0) result = sd_bus_start(bus);
    // On a bus the answer to Hello shows that the bus is there at all.
    const char* unique = nullptr;
    if (result >= 0 && kind == Kind::Bus) result = sd_bus_get_unique_name(bus, &unique);
    if (result < 0) {
        sd_bus_close_unref(bus);
        unavailable(kind == Kind::Bus ? "the bus at " + address : "the server at " + address, result);
    }
    return std::unique_ptr<BlockingBus>(new BlockingBus(bus));
}

std::unique_ptr<BlockingBus> BlockingBus::sessionBus()
{
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address != nullptr && *address != '\0') return open(address, Kind::Bus);
    sd_bus* bus = nullptr;
    const int result = sd_bus_open_user(&bus);
    if (result < 0) unavailable("the session bus", result);
    return std::unique_ptr<BlockingBus>(new BlockingBus(bus));
}

BlockingBus::~BlockingBus() { sd_bus_flush_close_unref(bus_); }

remoting::BusMessage BlockingBus::newCall(const QString& destination, const QString& path, const char* interface,
                                          const char* member)
{
    sd_bus_message* message = nullptr;
    const QByteArray to = destination.toUtf8();
    sd_bus_message_new_method_call(bus_, &message, to.isEmpty() ? nullptr : to.constData(), path.toUtf8().constData(),
                                   interface, member);
    return remoting::BusMessage::adopt(message);
}

CallReply BlockingBus::call(remoting::BusMessage& call, int timeoutMs)
{
    CallReply reply;
    sd_bus_message* answer = nullptr;
    sd_bus_error error = SD_BUS_ERROR_NULL;
    const std::uint64_t timeout = std::uint64_t(timeoutMs) * 1000u;
    const int result = call ? remoting::callBlocking(bus_, call.get(), timeout, &error, &answer) : -EINVAL;
    if (result >= 0) {
        reply.message = remoting::BusMessage::adopt(answer);
    } else {
        // A failure of the connection itself comes as an errno of the system's;
        // the caller hears of it as the connection lost.
        const bool system = error.name == nullptr || std::strncmp(error.name, "System.Error.", 13) == 0;
        reply.errorName = system ? QStringLiteral("org.freedesktop.DBus.Error.Disconnected") : QString::fromUtf8(error.name);
        reply.errorMessage = error.message ? QString::fromUtf8(error.message) : QString::fromLocal8Bit(std::strerror(-result));
    }
    sd_bus_error_free(&error);
    return reply;
}

}  // namespace corvane::client

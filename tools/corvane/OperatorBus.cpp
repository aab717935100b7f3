#include "OperatorBus.h"

#include "CommandError.h"

#include "remoting/common/BusContract.h"
#include "remoting/common/BlockingCall.h"
#include "remoting/common/BusMessage.h"
#include "remoting/common/SessionBus.h"
#include "remoting/common/WireFormatError.h"

#include <systemd/sd-bus.h>

#include <cstdlib>
#include <cstring>

namespace corvane::cli {

namespace {

namespace contract = remoting::contract;
using remoting::BusMessage;
using remoting::callBlocking;

// Long enough for the bus to start the emulator and for it to load its tags.
constexpr std::uint64_t kCallTimeoutMicroseconds = 120'000'000;

std::string failure(const sd_bus_error& error)
{
    const std::string name = error.name ? error.name : "";
    const std::string message = error.message ? error.message : "";
    if (name == "org.freedesktop.DBus.Error.ServiceUnknown" || name == "org.freedesktop.DBus.Error.NameHasNoOwner")
        return "the emulator is not known to this session bus: register it with 'corvanesim --regserver'";
    if (name.starts_with("org.freedesktop.DBus.Error.Spawn.")) return "the bus could not start the emulator: " + message;
    if (name == "org.freedesktop.DBus.Error.InvalidArgs") return message;
    return name + ": " + message;
}

sd_bus* open(const char* address)
{
    int result = 0;
    sd_bus* bus = remoting::connectToSessionBus(address, result);
    if (bus == nullptr)
        throw CommandError(std::string("there is no session bus (") + std::strerror(-result)
                           + "): run inside one (dbus-run-session) or use scripts/run.sh");
    return bus;
}

template <class Read>
auto reading(Read read)
{
    try {
        return read();
    } catch (const remoting::WireFormatError& error) {
        throw CommandError("the emulator's reply cannot be read: " + error.message().toStdString());
    }
}

}  // namespace

struct OperatorBus::Reply {
    BusMessage message;
};

OperatorBus::OperatorBus() : bus_(open(std::getenv("DBUS_SESSION_BUS_ADDRESS"))) {}

OperatorBus::OperatorBus(const std::string& address) : bus_(open(address.c_str())) {}

OperatorBus::~OperatorBus() { sd_bus_flush_close_unref(bus_); }

OperatorBus::Reply OperatorBus::call(const char* method, const std::function<void(sd_bus_message*)>& write)
{
    sd_bus_message* message = nullptr;
    sd_bus_message_new_method_call(bus_, &message, contract::kServiceName, contract::kOperatorPath,
                                   contract::kOperatorInterface, method);
    BusMessage call = BusMessage::adopt(message);
    if (write) write(call.get());
    sd_bus_message* answer = nullptr;
    sd_bus_error error = SD_BUS_ERROR_NULL;
    const int result = callBlocking(bus_, call.get(), kCallTimeoutMicroseconds, &error, &answer);
    if (result < 0) {
        const std::string why = failure(error);
        sd_bus_error_free(&error);
        throw CommandError(why);
    }
    return Reply{BusMessage::adopt(answer)};
}

void OperatorBus::setSineWave(bool checked) { call("SetSineWave", [checked](sd_bus_message* m) { sd_bus_message_append(m, "b", int(checked)); }); }

void OperatorBus::setPeriod(const std::string& text)
{
    call("SetPeriod", [&text](sd_bus_message* m) { sd_bus_message_append(m, "s", text.c_str()); });
}

void OperatorBus::setTimeError(const std::string& text)
{
    call("SetTimeError", [&text](sd_bus_message* m) { sd_bus_message_append(m, "s", text.c_str()); });
}

void OperatorBus::editCell(std::int32_t row, std::int32_t column, const std::string& text)
{
    call("EditCell", [&](sd_bus_message* m) { sd_bus_message_append(m, "iis", row, column, text.c_str()); });
}

void OperatorBus::clearWriteLog() { call("ClearWriteLog"); }

void OperatorBus::answerExit(bool yes) { call("AnswerExit", [yes](sd_bus_message* m) { sd_bus_message_append(m, "b", int(yes)); }); }

std::string OperatorBus::writeLog()
{
    Reply reply = call("WriteLog");
    return reading([&] { return std::string(reply.message.readText()); });
}

std::vector<std::vector<std::string>> OperatorBus::gridRows()
{
    Reply reply = call("GridRows");
    return reading([&] {
        std::vector<std::vector<std::string>> rows;
        reply.message.enter('a', "as");
        while (!reply.message.atEnd()) {
            std::vector<std::string>& row = rows.emplace_back();
            reply.message.enter('a', "s");
            while (!reply.message.atEnd()) row.emplace_back(reply.message.readText());
            reply.message.exit();
        }
        reply.message.exit();
        return rows;
    });
}

std::vector<std::pair<std::string, std::string>> OperatorBus::labels()
{
    Reply reply = call("Labels");
    return reading([&] {
        std::vector<std::pair<std::string, std::string>> labels;
        reply.message.enter('a', "{ss}");
        while (!reply.message.atEnd()) {
            reply.message.enter('e', "ss");
            std::string name(reply.message.readText());
            labels.emplace_back(std::move(name), std::string(reply.message.readText()));
            reply.message.exit();
        }
        reply.message.exit();
        return labels;
    });
}

std::string OperatorBus::dataListing()
{
    Reply reply = call("DataListing");
    return reading([&] { return std::string(reply.message.readText()); });
}

void OperatorBus::followWriteLog(const std::function<void(const std::string&)>& print)
{
    struct Following {
        const std::function<void(const std::string&)>& print;
        std::uint64_t seen = 0;
        bool ended = false;
    } following{print};
    // Listening first, then asking the signals for this connection along with
    // the log so far; the count of growths tells those already in it.
    const auto grown = [](sd_bus_message* signal, void* data, sd_bus_error*) {
        auto& state = *static_cast<Following*>(data);
        const char* added = nullptr;
        std::uint64_t growths = 0;
        if (sd_bus_message_read(signal, "st", &added, &growths) < 0 || growths <= state.seen) return 0;
        state.seen = growths;
        state.print(added);
        return 0;
    };
    const auto ownerChanged = [](sd_bus_message* signal, void* data, sd_bus_error*) {
        const char *name = nullptr, *from = nullptr, *to = nullptr;
        if (sd_bus_message_read(signal, "sss", &name, &from, &to) >= 0 && to != nullptr && *to == '\0')
            static_cast<Following*>(data)->ended = true;
        return 0;
    };
    sd_bus_match_signal(bus_, nullptr, nullptr, contract::kOperatorPath, contract::kOperatorInterface, "WriteLogGrown",
                        grown, &following);
    const std::string endedRule = std::string("type='signal',sender='org.freedesktop.DBus',member='NameOwnerChanged',arg0='")
                                  + contract::kServiceName + "'";
    sd_bus_add_match(bus_, nullptr, endedRule.c_str(), ownerChanged, &following);
    Reply reply = call("WatchWriteLog");
    const std::string log = reading([&] {
        std::string text(reply.message.readText());
        following.seen = reply.message.readUInt64();
        return text;
    });
    print(log);
    while (!following.ended) {
        const int result = sd_bus_process(bus_, nullptr);
        if (result < 0) break;
        if (result == 0 && sd_bus_wait(bus_, UINT64_MAX) < 0) break;
    }
}

}  // namespace corvane::cli

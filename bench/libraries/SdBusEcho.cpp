#include "SdBusEcho.h"

#include "EchoShapes.h"

#include "remoting/common/BlockingCall.h"

#include <systemd/sd-bus.h>
#include <systemd/sd-id128.h>

#include <cstdint>
#include <cstring>

#include <sys/socket.h>
#include <unistd.h>

namespace corvane::bench::sdbus {

namespace {

const std::int32_t kLowerBound = 0;

int answer(sd_bus_message* call, void*, sd_bus_error*)
{
    if (!sd_bus_message_is_method_call(call, kEchoInterface, nullptr)) return 0;
    sd_bus_message* reply = nullptr;
    sd_bus_message_new_method_return(call, &reply);
    if (std::strcmp(sd_bus_message_get_member(call), "Week") == 0) {
        sd_bus_message_open_container(reply, SD_BUS_TYPE_STRUCT, "iad");
        sd_bus_message_append_basic(reply, SD_BUS_TYPE_INT32, &kLowerBound);
        sd_bus_message_append_array(reply, SD_BUS_TYPE_DOUBLE, weekSamples().data(),
                                    weekSamples().size() * sizeof(double));
        sd_bus_message_close_container(reply);
    } else {
        sd_bus_message_append(reply, "i(qv)a(qv)(iss)u", 0, 3, "i", 3, 0, 0, "", "", 0u);
    }
    sd_bus_send(sd_bus_message_get_bus(call), reply, nullptr);
    sd_bus_message_unref(reply);
    return 1;
}

[[noreturn]] void serve(sd_bus* bus)
{
    sd_bus_add_filter(bus, nullptr, answer, nullptr);
    for (;;) {
        const int r = sd_bus_process(bus, nullptr);
        if (r < 0) break;
        if (r == 0 && sd_bus_wait(bus, UINT64_MAX) < 0) break;
    }
    ::_exit(0);
}

class Client final : public EchoClient {
public:
    Client(sd_bus* bus, std::string destination) : bus_(bus), destination_(std::move(destination)) {}
    ~Client() override { sd_bus_flush_close_unref(bus_); }

    bool count() override
    {
        sd_bus_message* call = make("Count");
        sd_bus_message_append(call, "iqa(qv)ai", 0x68030000, 2, 0, 0);
        sd_bus_message* reply = exchange(call);
        if (reply == nullptr) return false;
        std::int32_t code = -1, count = -1;
        std::uint16_t vt = 0;
        const int r = sd_bus_message_read(reply, "i(qv)", &code, &vt, "i", &count);
        sd_bus_message_unref(reply);
        return r > 0 && code == 0 && vt == 3 && count == 3;
    }

    bool week(std::vector<double>& into) override
    {
        sd_bus_message* reply = exchange(make("Week"));
        if (reply == nullptr) return false;
        std::int32_t lower = 0;
        const void* samples = nullptr;
        std::size_t bytes = 0;
        int r = sd_bus_message_enter_container(reply, SD_BUS_TYPE_STRUCT, "iad");
        if (r > 0) r = sd_bus_message_read_basic(reply, SD_BUS_TYPE_INT32, &lower);
        if (r > 0) r = sd_bus_message_read_array(reply, SD_BUS_TYPE_DOUBLE, &samples, &bytes);
        if (r > 0) {
            const auto* first = static_cast<const double*>(samples);
            into.assign(first, first + bytes / sizeof(double));
        }
        sd_bus_message_unref(reply);
        return r > 0 && into.size() == kWeekSamples;
    }

private:
    sd_bus_message* make(const char* member)
    {
        sd_bus_message* call = nullptr;
        sd_bus_message_new_method_call(bus_, &call, destination_.empty() ? nullptr : destination_.c_str(), kEchoPath,
                                       kEchoInterface, member);
        return call;
    }
    sd_bus_message* exchange(sd_bus_message* call)
    {
        sd_bus_message* reply = nullptr;
        sd_bus_error error = SD_BUS_ERROR_NULL;
        const int r = corvane::remoting::callBlocking(bus_, call, 10'000'000, &error, &reply);
        sd_bus_error_free(&error);
        sd_bus_message_unref(call);
        return r < 0 ? nullptr : reply;
    }

    sd_bus* bus_;
    std::string destination_;
};

sd_bus* open(const std::string& address, bool busClient)
{
    sd_bus* bus = nullptr;
    if (sd_bus_new(&bus) < 0) return nullptr;
    sd_bus_set_address(bus, address.c_str());
    sd_bus_set_bus_client(bus, busClient);
    if (sd_bus_start(bus) < 0) {
        sd_bus_unref(bus);
        return nullptr;
    }
    return bus;
}

}  // namespace

pid_t servePeer(const std::string& path)
{
    const int listening = listenAt(path);
    if (listening < 0) return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        const int fd = ::accept4(listening, nullptr, nullptr, SOCK_CLOEXEC);
        sd_bus* bus = nullptr;
        sd_id128_t id;
        sd_id128_randomize(&id);
        if (fd < 0 || sd_bus_new(&bus) < 0 || sd_bus_set_fd(bus, fd, fd) < 0 || sd_bus_set_server(bus, 1, id) < 0
            || sd_bus_start(bus) < 0)
            ::_exit(1);
        serve(bus);
    }
    ::close(listening);
    return child;
}

pid_t serveOnBus(const std::string& address, const std::string& name)
{
    int ready[2];
    if (::pipe(ready) != 0) return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        sd_bus* bus = open(address, true);
        if (bus == nullptr || sd_bus_request_name(bus, name.c_str(), 0) < 0) ::_exit(1);
        (void)!::write(ready[1], "r", 1);
        serve(bus);
    }
    ::close(ready[1]);
    char byte = 0;
    const bool up = ::read(ready[0], &byte, 1) == 1;
    ::close(ready[0]);
    return up ? child : -1;
}

std::unique_ptr<EchoClient> peerClient(const std::string& path)
{
    sd_bus* bus = open("unix:path=" + path, false);
    return bus ? std::make_unique<Client>(bus, std::string()) : nullptr;
}

std::unique_ptr<EchoClient> busClient(const std::string& address, const std::string& name)
{
    sd_bus* bus = open(address, true);
    return bus ? std::make_unique<Client>(bus, name) : nullptr;
}

}  // namespace corvane::bench::sdbus

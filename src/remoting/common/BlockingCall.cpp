#include "BlockingCall.h"

#include <systemd/sd-bus.h>

#include <cerrno>
#include <cstdint>

#include <time.h>

namespace corvane::remoting {

namespace {

struct Awaited {
    sd_bus_message* reply = nullptr;
};

int keepReply(sd_bus_message* reply, void* data, sd_bus_error*)
{
    static_cast<Awaited*>(data)->reply = sd_bus_message_ref(reply);
    return 1;
}

std::uint64_t monotonicMicroseconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return std::uint64_t(now.tv_sec) * 1'000'000u + std::uint64_t(now.tv_nsec) / 1000u;
}

int failed(int result, sd_bus_error* error)
{
    sd_bus_error_set_errno(error, result);
    return result;
}

}  // namespace

int callBlocking(sd_bus* bus, sd_bus_message* call, std::uint64_t timeoutMicroseconds, sd_bus_error* error,
                 sd_bus_message** reply)
{
    *reply = nullptr;
    if (timeoutMicroseconds == 0 && sd_bus_get_method_call_timeout(bus, &timeoutMicroseconds) < 0)
        timeoutMicroseconds = UINT64_MAX;
    const std::uint64_t start = monotonicMicroseconds();
    const std::uint64_t deadline = timeoutMicroseconds > UINT64_MAX - start ? UINT64_MAX : start + timeoutMicroseconds;
    Awaited awaited;
    sd_bus_slot* slot = nullptr;
    int result = sd_bus_call_async(bus, &slot, call, keepReply, &awaited, timeoutMicroseconds);
    if (result < 0) return failed(result, error);
    // The call's deadline is among the bus's own: the wait ends by then, and
    // processing turns a missed deadline into the NoReply error reply.
    while (awaited.reply == nullptr && result >= 0) {
        result = sd_bus_wait(bus, UINT64_MAX);
        while (result >= 0 && awaited.reply == nullptr && (result = sd_bus_process(bus, nullptr)) > 0) {
        }
    }
    sd_bus_slot_unref(slot);
    if (awaited.reply == nullptr) return failed(result < 0 ? result : -ECONNRESET, error);
    const sd_bus_error* answer = sd_bus_message_get_error(awaited.reply);
    if (answer == nullptr) {
        *reply = awaited.reply;
        return 1;
    }
    // The library answers a call with NoReply of its own when the connection
    // closes under it or its deadline passes; the caller hears of these as
    // the connection lost and the call timed out, as from sd_bus_call.
    if (sd_bus_error_has_name(answer, SD_BUS_ERROR_NO_REPLY)) {
        const int own = sd_bus_is_open(bus) <= 0 ? -ECONNRESET : monotonicMicroseconds() >= deadline ? -ETIMEDOUT : 0;
        if (own != 0) {
            sd_bus_message_unref(awaited.reply);
            return failed(own, error);
        }
    }
    result = sd_bus_error_copy(error, answer);
    sd_bus_message_unref(awaited.reply);
    return result < 0 ? result : -EIO;
}

}  // namespace corvane::remoting

#include "BusPeerRelay.h"

#include <systemd/sd-bus.h>
#include <systemd/sd-id128.h>

#include <cerrno>
#include <cstring>
#include <string_view>

#include <sys/socket.h>
#include <unistd.h>

namespace corvane::fuzz {

using remoting::BusMessage;

namespace {

// Marks the end of what carry() sent: whatever the server has not handed
// over by the time this arrives, its sd-bus refused on arrival.
constexpr char kRelayInterface[] = "org.corvane.FuzzRelay";
constexpr char kSentinel[] = "Carried";

// Rounds in a row in which no byte moved and neither end did anything
// before the exchange counts as stuck. Every step of the exchange happens on
// this thread, so one idle round already means nothing is left to do.
constexpr int kIdleRounds = 3;

// The fixed part of a message's header: endianness, type, flags, version,
// body length, serial, length of the header fields.
constexpr std::size_t kFixedHeader = 16;

std::uint32_t word(const std::uint8_t* at, bool bigEndian)
{
    if (bigEndian) return std::uint32_t(at[0]) << 24 | std::uint32_t(at[1]) << 16 | std::uint32_t(at[2]) << 8 | at[3];
    return std::uint32_t(at[3]) << 24 | std::uint32_t(at[2]) << 16 | std::uint32_t(at[1]) << 8 | at[0];
}

void setWord(std::uint8_t* at, std::uint32_t value, bool bigEndian)
{
    for (int i = 0; i < 4; ++i) at[bigEndian ? 3 - i : i] = std::uint8_t(value >> (8 * i));
}

std::size_t align8(std::size_t n) { return (n + 7) & ~std::size_t{7}; }

// Where the body of the message at the front of `bytes` begins, and where
// the message ends; {0, 0} until the whole of it is there.
std::pair<std::size_t, std::size_t> frame(const std::vector<std::uint8_t>& bytes)
{
    if (bytes.size() < kFixedHeader) return {0, 0};
    const bool bigEndian = bytes[0] == 'B';
    const std::size_t body = kFixedHeader + align8(word(&bytes[12], bigEndian));
    const std::size_t end = body + word(&bytes[4], bigEndian);
    return bytes.size() < end ? std::pair<std::size_t, std::size_t>{0, 0} : std::pair{body, end};
}

// Reads what `fd` holds without waiting; false when there was nothing.
bool readAvailable(int fd, std::vector<std::uint8_t>& into)
{
    bool any = false;
    std::uint8_t buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0) return any;
        into.insert(into.end(), buffer, buffer + n);
        any = true;
    }
}

}  // namespace

BusPeerRelay::BusPeerRelay()
{
    int client[2], server[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, client) != 0) return;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, server) != 0) {
        ::close(client[0]);
        ::close(client[1]);
        return;
    }
    clientFar_ = client[1];
    serverFar_ = server[1];
    sd_id128_t id{};
    const bool started = sd_bus_new(&client_) >= 0 && sd_bus_set_fd(client_, client[0], client[0]) >= 0 &&
                         sd_bus_negotiate_fds(client_, 0) >= 0 && sd_bus_start(client_) >= 0 &&
                         sd_bus_new(&server_) >= 0 && sd_bus_set_fd(server_, server[0], server[0]) >= 0 &&
                         sd_id128_randomize(&id) >= 0 && sd_bus_set_server(server_, 1, id) >= 0 &&
                         sd_bus_start(server_) >= 0;
    if (!started) {
        // A connection that never took its socket leaves it to us.
        if (client_ == nullptr || sd_bus_get_fd(client_) < 0) ::close(client[0]);
        if (server_ == nullptr || sd_bus_get_fd(server_) < 0) ::close(server[0]);
        broken_ = true;
        return;
    }
    // The authentication, relayed as it is.
    for (int idle = 0; idle < kIdleRounds && !broken_;) {
        if (sd_bus_is_ready(client_) > 0 && sd_bus_is_ready(server_) > 0) {
            ready_ = true;
            return;
        }
        idle = pump(nullptr, nullptr) ? 0 : idle + 1;
    }
    broken_ = true;
}

BusPeerRelay::~BusPeerRelay()
{
    sd_bus_close_unref(client_);
    sd_bus_close_unref(server_);
    if (clientFar_ >= 0) ::close(clientFar_);
    if (serverFar_ >= 0) ::close(serverFar_);
}

BusMessage BusPeerRelay::newCall(const char* path, const char* interface, const char* member)
{
    sd_bus_message* message = nullptr;
    if (sd_bus_message_new_method_call(client_, &message, nullptr, path, interface, member) < 0) return {};
    sd_bus_message_set_expect_reply(message, 0);
    return BusMessage::adopt(message);
}

BusMessage BusPeerRelay::carry(BusMessage call, const Tamper& tamper)
{
    if (!ready() || !call) return {};
    if (sd_bus_send(client_, call.get(), nullptr) < 0) return {};  // the client's sd-bus would not send it
    BusMessage sentinel = newCall("/", kRelayInterface, kSentinel);
    if (!sentinel || sd_bus_send(client_, sentinel.get(), nullptr) < 0) {
        broken_ = true;
        return {};
    }
    tamper_ = tamper ? &tamper : nullptr;
    awaitingCall_ = true;
    lastBody_.clear();
    BusMessage arrived;
    bool done = false;
    for (int idle = 0; !done && !broken_;) {
        idle = pump(&arrived, &done) ? 0 : idle + 1;
        if (idle == kIdleRounds) broken_ = true;
    }
    tamper_ = nullptr;
    if (arrived) arrived.rewind();
    return arrived;
}

bool BusPeerRelay::pump(BusMessage* arrived, bool* sentinel)
{
    bool moved = false;
    for (;;) {
        const int result = sd_bus_process(client_, nullptr);
        if (result < 0) {
            broken_ = true;
            return false;
        }
        if (result == 0) break;
        moved = true;
    }
    moved |= relayClientBytes();
    moved |= writePending();
    moved |= relayServerBytes();
    for (;;) {
        sd_bus_message* raw = nullptr;
        const int result = sd_bus_process(server_, &raw);
        BusMessage message = BusMessage::adopt(raw);
        if (result < 0 || (message && message.isSignal("org.freedesktop.DBus.Local", "Disconnected"))) {
            broken_ = true;
            return false;
        }
        if (result == 0) break;
        moved = true;
        if (!message || !sentinel) continue;
        if (message.interface() == kRelayInterface && message.member() == kSentinel)
            *sentinel = true;
        else if (arrived)
            *arrived = std::move(message);
    }
    return moved;
}

bool BusPeerRelay::relayClientBytes()
{
    if (!readAvailable(clientFar_, fromClient_)) return false;
    if (!ready_) {
        // Authentication lines pass as they are.
        toServer_.insert(toServer_.end(), fromClient_.begin(), fromClient_.end());
        fromClient_.clear();
    } else {
        forward(tamper_);
    }
    return true;
}

void BusPeerRelay::forward(const Tamper* tamper)
{
    for (;;) {
        const auto [body, end] = frame(fromClient_);
        if (end == 0) return;
        if (awaitingCall_) {
            awaitingCall_ = false;
            lastBody_.assign(fromClient_.begin() + std::ptrdiff_t(body), fromClient_.begin() + std::ptrdiff_t(end));
            if (tamper) (*tamper)(lastBody_);
            std::vector<std::uint8_t> header(fromClient_.begin(), fromClient_.begin() + std::ptrdiff_t(body));
            setWord(&header[4], std::uint32_t(lastBody_.size()), header[0] == 'B');
            toServer_.insert(toServer_.end(), header.begin(), header.end());
            toServer_.insert(toServer_.end(), lastBody_.begin(), lastBody_.end());
        } else {
            toServer_.insert(toServer_.end(), fromClient_.begin(), fromClient_.begin() + std::ptrdiff_t(end));
        }
        fromClient_.erase(fromClient_.begin(), fromClient_.begin() + std::ptrdiff_t(end));
    }
}

bool BusPeerRelay::writePending()
{
    std::size_t written = 0;
    while (written < toServer_.size()) {
        const ssize_t n = ::write(serverFar_, toServer_.data() + written, toServer_.size() - written);
        if (n <= 0) break;
        written += std::size_t(n);
    }
    toServer_.erase(toServer_.begin(), toServer_.begin() + std::ptrdiff_t(written));
    return written > 0;
}

bool BusPeerRelay::relayServerBytes()
{
    std::vector<std::uint8_t> bytes;
    if (!readAvailable(serverFar_, bytes)) return false;
    // The server's side of the authentication goes to the client; it sends
    // nothing after that, since no call expects a reply.
    if (!ready_) {
        std::size_t written = 0;
        while (written < bytes.size()) {
            const ssize_t n = ::write(clientFar_, bytes.data() + written, bytes.size() - written);
            if (n <= 0) break;
            written += std::size_t(n);
        }
    }
    return true;
}

}  // namespace corvane::fuzz

#include "RawSocketPeer.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace corvane::bench {

namespace {

struct Header {
    std::uint64_t request;
    std::uint64_t reply;
};

bool readAll(int fd, void* into, std::size_t bytes)
{
    auto* at = static_cast<char*>(into);
    while (bytes > 0) {
        const ssize_t n = ::read(fd, at, bytes);
        if (n <= 0) return false;
        at += n;
        bytes -= std::size_t(n);
    }
    return true;
}

bool writeAll(int fd, const void* from, std::size_t bytes)
{
    const auto* at = static_cast<const char*>(from);
    while (bytes > 0) {
        const ssize_t n = ::write(fd, at, bytes);
        if (n <= 0) return false;
        at += n;
        bytes -= std::size_t(n);
    }
    return true;
}

[[noreturn]] void serve(int fd)
{
    std::vector<char> buffer(std::size_t{64} << 20);
    for (Header header{}; readAll(fd, &header, sizeof header);) {
        if (header.request > buffer.size() || header.reply > buffer.size()) break;
        if (!readAll(fd, buffer.data(), header.request) || !writeAll(fd, buffer.data(), header.reply)) break;
    }
    ::_exit(0);
}

}  // namespace

RawSocketPeer::RawSocketPeer()
{
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return;
    peer_ = ::fork();
    if (peer_ == 0) {
        ::close(ends[0]);
        serve(ends[1]);
    }
    ::close(ends[1]);
    if (peer_ < 0) {
        ::close(ends[0]);
        return;
    }
    socket_ = ends[0];
}

RawSocketPeer::~RawSocketPeer()
{
    if (socket_ >= 0) ::close(socket_);  // the peer reads the end and leaves
    if (peer_ > 0) ::waitpid(peer_, nullptr, 0);
}

bool RawSocketPeer::roundTrip(std::size_t requestBytes, std::size_t replyBytes)
{
    // The request's first bytes say how long it is and how long the reply
    // must be; it goes in one write, as a message does.
    const std::size_t sent = std::max(requestBytes, sizeof(Header));
    if (buffer_.size() < std::max(sent, replyBytes)) buffer_.resize(std::max(sent, replyBytes));
    const Header header{sent - sizeof(Header), replyBytes};
    std::memcpy(buffer_.data(), &header, sizeof header);
    return writeAll(socket_, buffer_.data(), sent) && readAll(socket_, buffer_.data(), replyBytes);
}

}  // namespace corvane::bench

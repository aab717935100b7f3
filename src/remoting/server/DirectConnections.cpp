#include "DirectConnections.h"

#include "PeerCredentials.h"

#include <systemd/sd-id128.h>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace corvane::remoting {

namespace {

QString systemError(const char* what)
{
    return QStringLiteral("%1: %2").arg(QLatin1StringView(what), QString::fromLocal8Bit(std::strerror(errno)));
}

// A listening socket at `path`; -1 with the reason in `error`.
int listenAt(const std::string& path, QString& error)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        error = QStringLiteral("the socket's path is too long: %1").arg(QString::fromStdString(path));
        return -1;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0 || ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0
        || ::listen(fd, SOMAXCONN) != 0) {
        error = systemError("cannot listen");
        if (fd >= 0) ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

DirectConnections::DirectConnections(Serve serve, std::function<void(const QString& client)> left)
    : serve_(std::move(serve)), left_(std::move(left))
{
}

DirectConnections::~DirectConnections()
{
    peers_.clear();
    incoming_.reset();
    if (listening_ >= 0) ::close(listening_);
}

QString DirectConnections::address(QString& error)
{
    if (listening_ >= 0) return address_;
    std::unique_ptr<DirectSocketFolder> folder = DirectSocketFolder::create(error);
    if (!folder) return {};
    const int listening = listenAt(folder->socketPath(), error);
    if (listening < 0) return {};
    // The folder already keeps everybody else out; the socket's own mode says so too.
    if (!folder->restrictSocket(error)) {
        ::close(listening);
        return {};
    }
    sd_id128_t id{};
    char guid[SD_ID128_STRING_MAX];
    sd_id128_randomize(&id);
    guid_ = sd_id128_to_string(id, guid);
    address_ = folder->address() + QStringLiteral(",guid=") + QString::fromLatin1(guid_);
    listening_ = listening;
    folder_ = std::move(folder);
    incoming_ = std::make_unique<QSocketNotifier>(listening_, QSocketNotifier::Read);
    connect(incoming_.get(), &QSocketNotifier::activated, this, &DirectConnections::accept);
    return address_;
}

void DirectConnections::accept()
{
    for (;;) {
        const int socket = ::accept4(listening_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (socket < 0) return;  // none waiting (or one that gave up meanwhile)
        take(socket);
    }
}

void DirectConnections::take(int socket)
{
    // Turned away before the library reads a byte of it.
    if (!peerIsThisUser(socket)) {
        ::close(socket);
        return;
    }
    QString error;
    std::unique_ptr<BusConnection> connection = BusConnection::servePeer(socket, guid_, error);
    if (!connection) return;
    BusConnection* key = connection.get();
    const QString client = QStringLiteral("direct-%1").arg(++joined_);
    connection->onMessage([this, key, client](BusMessage& message) { serve_(message, *key, client); });
    connection->onLoss([this, key] { lost(key); });
    peers_.emplace(key, Peer{client, std::move(connection)});
}

void DirectConnections::lost(BusConnection* connection)
{
    const auto found = peers_.find(connection);
    if (found == peers_.end()) return;
    Peer peer = std::move(found->second);
    peers_.erase(found);
    left_(peer.client);
    // The connection is still unwinding from telling us; it goes once it has.
    peer.connection.release()->deleteLater();
}

}  // namespace corvane::remoting

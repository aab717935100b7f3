#include "PeerCredentials.h"

#include <dbus/dbus.h>

#include <sys/socket.h>
#include <unistd.h>

namespace corvane::remoting {

std::optional<uid_t> peerUserOf(int socket)
{
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (::getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0 || size != sizeof credentials)
        return std::nullopt;
    return credentials.uid;
}

bool peerIsThisUser(const QDBusConnection& connection)
{
    // Qt D-Bus keeps the socket to itself; libdbus, underneath, hands it out.
    auto* raw = static_cast<DBusConnection*>(connection.internalPointer());
    int socket = -1;
    if (raw == nullptr || !dbus_connection_get_unix_fd(raw, &socket)) return false;
    const std::optional<uid_t> peer = peerUserOf(socket);
    return peer && *peer == ::geteuid();
}

}  // namespace corvane::remoting

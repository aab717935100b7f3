#include "PeerCredentials.h"

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

bool peerIsThisUser(int socket)
{
    const std::optional<uid_t> peer = peerUserOf(socket);
    return peer && *peer == ::geteuid();
}

}  // namespace corvane::remoting

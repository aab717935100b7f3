#pragma once

#include <optional>

#include <sys/types.h>

namespace corvane::remoting {

// The user id of the process at the other end of a connected Unix socket, as
// the kernel recorded it when that process connected; empty when the socket
// is no Unix socket or the kernel cannot tell.
std::optional<uid_t> peerUserOf(int socket);

// Whether the process at the other end of a connected Unix socket runs as
// this process's user. The kernel's word, not the authentication exchange's:
// a peer of any other user, root included, is refused.
bool peerIsThisUser(int socket);

}  // namespace corvane::remoting

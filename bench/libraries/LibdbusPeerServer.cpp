#include "LibdbusPeerServer.h"

#include <poll.h>
#include <unistd.h>

namespace corvane::bench {

namespace {

DBusConnection* accepted = nullptr;
DBusHandleMessageFunction filter = nullptr;

void accept(DBusServer*, DBusConnection* connection, void*)
{
    dbus_connection_ref(connection);
    dbus_connection_add_filter(connection, filter, nullptr, nullptr);
    accepted = connection;
}

dbus_bool_t keepWatch(DBusWatch* watch, void* data)
{
    *static_cast<DBusWatch**>(data) = watch;
    return TRUE;
}

}  // namespace

void serveOnePeer(DBusServer* server, DBusHandleMessageFunction answer)
{
    filter = answer;
    DBusWatch* listening = nullptr;
    dbus_server_set_watch_functions(server, keepWatch, nullptr, nullptr, &listening, nullptr);
    dbus_server_set_new_connection_function(server, accept, nullptr, nullptr);
    while (!accepted && listening) {
        pollfd incoming{dbus_watch_get_unix_fd(listening), POLLIN, 0};
        if (::poll(&incoming, 1, -1) > 0) dbus_watch_handle(listening, DBUS_WATCH_READABLE);
    }
    while (accepted && dbus_connection_read_write_dispatch(accepted, -1)) {
    }
    ::_exit(0);
}

}  // namespace corvane::bench

#include "LibdbusPeerServer.h"

#include <cstdint>

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

namespace {

template <class T>
void basic(DBusMessageIter& into, int type, T value)
{
    dbus_message_iter_append_basic(&into, type, &value);
}

}  // namespace

void appendTagsCountReply(DBusMessage* reply)
{
    DBusMessageIter body, frame, value, list, error;
    dbus_message_iter_init_append(reply, &body);
    basic(body, DBUS_TYPE_INT32, std::int32_t{0});
    dbus_message_iter_open_container(&body, DBUS_TYPE_STRUCT, nullptr, &frame);
    basic(frame, DBUS_TYPE_UINT16, std::uint16_t{3});
    dbus_message_iter_open_container(&frame, DBUS_TYPE_VARIANT, "i", &value);
    basic(value, DBUS_TYPE_INT32, std::int32_t{3});
    dbus_message_iter_close_container(&frame, &value);
    dbus_message_iter_close_container(&body, &frame);
    dbus_message_iter_open_container(&body, DBUS_TYPE_ARRAY, "(qv)", &list);
    dbus_message_iter_close_container(&body, &list);
    dbus_message_iter_open_container(&body, DBUS_TYPE_STRUCT, nullptr, &error);
    basic(error, DBUS_TYPE_INT32, std::int32_t{0});
    basic(error, DBUS_TYPE_STRING, "");
    basic(error, DBUS_TYPE_STRING, "");
    dbus_message_iter_close_container(&body, &error);
    basic(body, DBUS_TYPE_UINT32, std::uint32_t{0});
}

}  // namespace corvane::bench

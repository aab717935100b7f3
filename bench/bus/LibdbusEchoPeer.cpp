#include "LibdbusEchoPeer.h"

#include "../libraries/LibdbusPeerServer.h"

#include <dbus/dbus.h>

#include <cstdint>
#include <cstdlib>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace corvane::bench {

namespace {

const char kPath[] = "/org/corvane/CorvaneSim/Tags/00000000000000000000000000000000";

template <class T>
void basic(DBusMessageIter& into, int type, T value)
{
    dbus_message_iter_append_basic(&into, type, &value);
}

// i 0, (q 3, v i 3), a(qv) [], (i 0, s "", s ""), u 0: the reply of Tags.Count.
DBusHandlerResult answer(DBusConnection* connection, DBusMessage* call, void*)
{
    if (dbus_message_get_type(call) != DBUS_MESSAGE_TYPE_METHOD_CALL) return DBUS_HANDLER_RESULT_NOT_YET_HANDLED;
    DBusMessage* reply = dbus_message_new_method_return(call);
    appendTagsCountReply(reply);
    dbus_connection_send(connection, reply, nullptr);
    dbus_message_unref(reply);
    return DBUS_HANDLER_RESULT_HANDLED;
}

}  // namespace

LibdbusEchoPeer::LibdbusEchoPeer()
{
    char folder[] = "/tmp/corvane-bench-libdbus-XXXXXX";
    if (::mkdtemp(folder) == nullptr) return;
    folder_ = folder;
    address_ = "unix:path=" + folder_ + "/socket";
    DBusError error;
    dbus_error_init(&error);
    DBusServer* server = dbus_server_listen(address_.c_str(), &error);
    if (server == nullptr) {
        dbus_error_free(&error);
        return;
    }
    peer_ = ::fork();
    if (peer_ == 0) serveOnePeer(server, answer);
    // The child listens; this side only keeps the socket's file.
}

LibdbusEchoPeer::~LibdbusEchoPeer()
{
    if (connection_) {
        dbus_connection_close(connection_);
        dbus_connection_unref(connection_);
    }
    if (peer_ > 0) ::waitpid(peer_, nullptr, 0);
    if (!folder_.empty()) {
        ::unlink((folder_ + "/socket").c_str());
        ::rmdir(folder_.c_str());
    }
}

bool LibdbusEchoPeer::connect()
{
    if (peer_ <= 0) return false;
    DBusError error;
    dbus_error_init(&error);
    connection_ = dbus_connection_open_private(address_.c_str(), &error);
    if (connection_ == nullptr) dbus_error_free(&error);
    return connection_ != nullptr;
}

bool LibdbusEchoPeer::roundTrip()
{
    // Invoke(0x68030000, 2, [], []) as a client builds it for every call.
    DBusMessage* call = dbus_message_new_method_call(nullptr, kPath, "org.corvane.Automation1.Dispatch", "Invoke");
    DBusMessageIter body, list;
    dbus_message_iter_init_append(call, &body);
    basic(body, DBUS_TYPE_INT32, std::int32_t{0x68030000});
    basic(body, DBUS_TYPE_UINT16, std::uint16_t{2});
    dbus_message_iter_open_container(&body, DBUS_TYPE_ARRAY, "(qv)", &list);
    dbus_message_iter_close_container(&body, &list);
    dbus_message_iter_open_container(&body, DBUS_TYPE_ARRAY, "i", &list);
    dbus_message_iter_close_container(&body, &list);
    DBusError error;
    dbus_error_init(&error);
    DBusMessage* reply = dbus_connection_send_with_reply_and_block(connection_, call, 10000, &error);
    dbus_message_unref(call);
    if (reply == nullptr) {
        dbus_error_free(&error);
        return false;
    }
    dbus_message_unref(reply);
    return true;
}

}  // namespace corvane::bench

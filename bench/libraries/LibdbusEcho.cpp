#include "LibdbusEcho.h"

#include "EchoShapes.h"

#include "LibdbusPeerServer.h"

#include <dbus/dbus.h>

#include <cstdint>
#include <cstring>

#include <poll.h>
#include <unistd.h>

namespace corvane::bench::libdbus {

namespace {

template <class T>
void basic(DBusMessageIter& into, int type, T value)
{
    dbus_message_iter_append_basic(&into, type, &value);
}

void appendWeek(DBusMessage* reply)
{
    DBusMessageIter body, structure, array;
    dbus_message_iter_init_append(reply, &body);
    dbus_message_iter_open_container(&body, DBUS_TYPE_STRUCT, nullptr, &structure);
    basic(structure, DBUS_TYPE_INT32, std::int32_t{0});
    dbus_message_iter_open_container(&structure, DBUS_TYPE_ARRAY, "d", &array);
    const double* samples = weekSamples().data();
    dbus_message_iter_append_fixed_array(&array, DBUS_TYPE_DOUBLE, &samples, int(weekSamples().size()));
    dbus_message_iter_close_container(&structure, &array);
    dbus_message_iter_close_container(&body, &structure);
}

DBusHandlerResult answer(DBusConnection* connection, DBusMessage* call, void*)
{
    if (dbus_message_get_type(call) != DBUS_MESSAGE_TYPE_METHOD_CALL
        || std::strcmp(dbus_message_get_interface(call) ? dbus_message_get_interface(call) : "", kEchoInterface) != 0)
        return DBUS_HANDLER_RESULT_NOT_YET_HANDLED;
    DBusMessage* reply = dbus_message_new_method_return(call);
    if (std::strcmp(dbus_message_get_member(call), "Week") == 0)
        appendWeek(reply);
    else
        appendTagsCountReply(reply);
    dbus_connection_send(connection, reply, nullptr);
    dbus_message_unref(reply);
    return DBUS_HANDLER_RESULT_HANDLED;
}

class Client final : public EchoClient {
public:
    Client(DBusConnection* connection, std::string destination)
        : connection_(connection), destination_(std::move(destination))
    {
    }
    ~Client() override
    {
        if (connection_) {
            dbus_connection_close(connection_);
            dbus_connection_unref(connection_);
        }
    }

    bool count() override
    {
        DBusMessage* call = make("Count");
        DBusMessageIter body, list;
        dbus_message_iter_init_append(call, &body);
        basic(body, DBUS_TYPE_INT32, std::int32_t{0x68030000});
        basic(body, DBUS_TYPE_UINT16, std::uint16_t{2});
        dbus_message_iter_open_container(&body, DBUS_TYPE_ARRAY, "(qv)", &list);
        dbus_message_iter_close_container(&body, &list);
        dbus_message_iter_open_container(&body, DBUS_TYPE_ARRAY, "i", &list);
        dbus_message_iter_close_container(&body, &list);
        DBusMessage* reply = exchange(call);
        if (reply == nullptr) return false;
        // Read what a client reads: the code and the result's value.
        DBusMessageIter in, frame, value;
        std::int32_t code = -1, count = -1;
        std::uint16_t vt = 0;
        dbus_message_iter_init(reply, &in);
        dbus_message_iter_get_basic(&in, &code);
        dbus_message_iter_next(&in);
        dbus_message_iter_recurse(&in, &frame);
        dbus_message_iter_get_basic(&frame, &vt);
        dbus_message_iter_next(&frame);
        dbus_message_iter_recurse(&frame, &value);
        dbus_message_iter_get_basic(&value, &count);
        dbus_message_unref(reply);
        return code == 0 && vt == 3 && count == 3;
    }

    bool week(std::vector<double>& into) override
    {
        DBusMessage* reply = exchange(make("Week"));
        if (reply == nullptr) return false;
        DBusMessageIter in, structure, array;
        dbus_message_iter_init(reply, &in);
        dbus_message_iter_recurse(&in, &structure);
        dbus_message_iter_next(&structure);
        dbus_message_iter_recurse(&structure, &array);
        const double* samples = nullptr;
        int n = 0;
        dbus_message_iter_get_fixed_array(&array, &samples, &n);
        into.assign(samples, samples + n);
        dbus_message_unref(reply);
        return std::size_t(n) == kWeekSamples;
    }

private:
    DBusMessage* make(const char* member)
    {
        return dbus_message_new_method_call(destination_.empty() ? nullptr : destination_.c_str(), kEchoPath,
                                            kEchoInterface, member);
    }
    DBusMessage* exchange(DBusMessage* call)
    {
        DBusError error;
        dbus_error_init(&error);
        DBusMessage* reply = dbus_connection_send_with_reply_and_block(connection_, call, 10000, &error);
        dbus_message_unref(call);
        if (reply == nullptr) dbus_error_free(&error);
        return reply;
    }

    DBusConnection* connection_;
    std::string destination_;
};

DBusConnection* openBus(const std::string& address)
{
    DBusError error;
    dbus_error_init(&error);
    DBusConnection* connection = dbus_connection_open_private(address.c_str(), &error);
    if (connection == nullptr || !dbus_bus_register(connection, &error)) {
        dbus_error_free(&error);
        return nullptr;
    }
    return connection;
}

}  // namespace

pid_t servePeer(const std::string& path)
{
    DBusError error;
    dbus_error_init(&error);
    DBusServer* server = dbus_server_listen(("unix:path=" + path).c_str(), &error);
    if (server == nullptr) {
        dbus_error_free(&error);
        return -1;
    }
    const pid_t child = ::fork();
    if (child == 0) serveOnePeer(server, answer);
    // The child listens; this side keeps its copy, whose end would remove the socket's file.
    return child;
}

pid_t serveOnBus(const std::string& address, const std::string& name)
{
    int ready[2];
    if (::pipe(ready) != 0) return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        DBusConnection* connection = openBus(address);
        DBusError error;
        dbus_error_init(&error);
        if (connection == nullptr
            || dbus_bus_request_name(connection, name.c_str(), 0, &error) != DBUS_REQUEST_NAME_REPLY_PRIMARY_OWNER)
            ::_exit(1);
        dbus_connection_add_filter(connection, answer, nullptr, nullptr);
        (void)!::write(ready[1], "r", 1);
        while (dbus_connection_read_write_dispatch(connection, -1)) {
        }
        ::_exit(0);
    }
    ::close(ready[1]);
    char byte = 0;
    const bool up = ::read(ready[0], &byte, 1) == 1;
    ::close(ready[0]);
    return up ? child : -1;
}

std::unique_ptr<EchoClient> peerClient(const std::string& path)
{
    DBusError error;
    dbus_error_init(&error);
    DBusConnection* connection = dbus_connection_open_private(("unix:path=" + path).c_str(), &error);
    if (connection == nullptr) {
        dbus_error_free(&error);
        return nullptr;
    }
    return std::make_unique<Client>(connection, std::string());
}

std::unique_ptr<EchoClient> busClient(const std::string& address, const std::string& name)
{
    DBusConnection* connection = openBus(address);
    if (connection == nullptr) return nullptr;
    return std::make_unique<Client>(connection, name);
}

}  // namespace corvane::bench::libdbus

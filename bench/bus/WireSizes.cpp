#include "WireSizes.h"

#include <dbus/dbus.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace corvane::bench {

namespace {

using Writer = std::function<void(DBusMessageIter&)>;

std::size_t marshalledSize(DBusMessage* message)
{
    dbus_message_set_serial(message, 1);
    char* bytes = nullptr;
    int length = 0;
    const bool done = dbus_message_marshal(message, &bytes, &length);
    dbus_free(bytes);
    dbus_message_unref(message);
    return done ? std::size_t(length) : 0;
}

void container(DBusMessageIter& parent, int type, const char* signature, const Writer& inside)
{
    DBusMessageIter sub;
    dbus_message_iter_open_container(&parent, type, signature, &sub);
    inside(sub);
    dbus_message_iter_close_container(&parent, &sub);
}

template <class T>
void basic(DBusMessageIter& into, int type, T value)
{
    dbus_message_iter_append_basic(&into, type, &value);
}

// (q vt, v value): a value frame whose payload has `signature`.
void frame(DBusMessageIter& into, std::uint16_t vt, const char* signature, const Writer& payload)
{
    container(into, DBUS_TYPE_STRUCT, nullptr, [&](DBusMessageIter& s) {
        basic(s, DBUS_TYPE_UINT16, vt);
        container(s, DBUS_TYPE_VARIANT, signature, payload);
    });
}

void emptyText(DBusMessageIter& into) { basic(into, DBUS_TYPE_STRING, ""); }

DBusMessage* invoke(const std::string& path, std::int32_t id, std::uint16_t flags, const Writer& arguments)
{
    DBusMessage* call = dbus_message_new_method_call(nullptr, path.c_str(), "org.corvane.Automation1.Dispatch", "Invoke");
    DBusMessageIter body;
    dbus_message_iter_init_append(call, &body);
    basic(body, DBUS_TYPE_INT32, id);
    basic(body, DBUS_TYPE_UINT16, flags);
    container(body, DBUS_TYPE_ARRAY, "(qv)", arguments);
    container(body, DBUS_TYPE_ARRAY, "i", [](DBusMessageIter&) {});
    return call;
}

// i hresult, (qv) result, a(qv) arguments, (iss) no exception, u argErr.
DBusMessage* reply(const Writer& result, const Writer& arguments)
{
    DBusMessage* message = dbus_message_new(DBUS_MESSAGE_TYPE_METHOD_RETURN);
    dbus_message_set_reply_serial(message, 1);
    dbus_message_set_no_reply(message, true);
    DBusMessageIter body;
    dbus_message_iter_init_append(message, &body);
    basic(body, DBUS_TYPE_INT32, std::int32_t{0});
    result(body);
    container(body, DBUS_TYPE_ARRAY, "(qv)", arguments);
    container(body, DBUS_TYPE_STRUCT, nullptr, [](DBusMessageIter& s) {
        basic(s, DBUS_TYPE_INT32, std::int32_t{0});
        emptyText(s);
        emptyText(s);
    });
    basic(body, DBUS_TYPE_UINT32, std::uint32_t{0});
    return message;
}

template <class T>
Writer fixedArray(int type, const char* signature, std::size_t count)
{
    return [=](DBusMessageIter& into) {
        container(into, DBUS_TYPE_STRUCT, nullptr, [&](DBusMessageIter& s) {
            basic(s, DBUS_TYPE_INT32, std::int32_t{0});
            container(s, DBUS_TYPE_ARRAY, signature, [&](DBusMessageIter& a) {
                const std::vector<T> zeros(count);
                const T* data = zeros.data();
                dbus_message_iter_append_fixed_array(&a, type, &data, int(count));
            });
        });
    };
}

// A reference to a Variant (0x400C) holding `inner`.
Writer referenceToVariant(std::uint16_t vt, const char* signature, const Writer& inner)
{
    return [=](DBusMessageIter& into) {
        frame(into, 0x400C, "(qv)", [&](DBusMessageIter& v) { frame(v, vt, signature, inner); });
    };
}

}  // namespace

WireSize tagsCount(const std::string& path)
{
    WireSize size;
    size.call = marshalledSize(invoke(path, 0x68030000, 2, [](DBusMessageIter&) {}));
    size.reply = marshalledSize(reply(
        [](DBusMessageIter& b) { frame(b, 3, "i", [](DBusMessageIter& v) { basic(v, DBUS_TYPE_INT32, std::int32_t{3}); }); },
        [](DBusMessageIter&) {}));
    return size;
}

WireSize unpackResults(const std::string& path, std::size_t samples)
{
    const Writer empty = [](DBusMessageIter& v) { emptyText(v); };
    WireSize size;
    size.call = marshalledSize(invoke(path, 0x60030009, 1, [&](DBusMessageIter& a) {
        for (int i = 0; i < 3; ++i) referenceToVariant(0, "s", empty)(a);
    }));
    size.reply = marshalledSize(reply([&](DBusMessageIter& b) { frame(b, 0, "s", empty); },
                                      [&](DBusMessageIter& a) {
                                          referenceToVariant(0x2004, "(iad)", fixedArray<double>(DBUS_TYPE_DOUBLE, "d", samples))(a);
                                          referenceToVariant(0x2007, "(iad)", fixedArray<double>(DBUS_TYPE_DOUBLE, "d", samples))(a);
                                          referenceToVariant(0x2002, "(ian)", fixedArray<std::int16_t>(DBUS_TYPE_INT16, "n", samples))(a);
                                      }));
    return size;
}

}  // namespace corvane::bench

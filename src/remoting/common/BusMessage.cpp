#include "BusMessage.h"

#include "WireFormatError.h"

#include <systemd/sd-bus.h>

#include <cstring>
#include <utility>

namespace corvane::remoting {

namespace {

std::string_view orEmpty(const char* text) { return text ? std::string_view(text) : std::string_view(); }

void check(int result, const char* what)
{
    if (result < 0)
        throw WireFormatError(QStringLiteral("%1: %2").arg(QLatin1StringView(what), QString::fromLocal8Bit(std::strerror(-result))));
}

// Reading past the end of a container answers 0 rather than an error.
void checkRead(int result, char type)
{
    if (result == 0) throw WireFormatError(QStringLiteral("a value of D-Bus type %1 is missing").arg(QLatin1Char(type)));
    check(result, "the value cannot be read");
}

}  // namespace

BusMessage BusMessage::adopt(sd_bus_message* message) { return BusMessage(message); }

BusMessage BusMessage::share(sd_bus_message* message) { return BusMessage(sd_bus_message_ref(message)); }

BusMessage::~BusMessage() { sd_bus_message_unref(message_); }

BusMessage::BusMessage(BusMessage&& other) noexcept : message_(std::exchange(other.message_, nullptr)) {}

BusMessage& BusMessage::operator=(BusMessage&& other) noexcept
{
    if (this != &other) {
        sd_bus_message_unref(message_);
        message_ = std::exchange(other.message_, nullptr);
    }
    return *this;
}

std::string_view BusMessage::path() const { return orEmpty(sd_bus_message_get_path(message_)); }
std::string_view BusMessage::interface() const { return orEmpty(sd_bus_message_get_interface(message_)); }
std::string_view BusMessage::member() const { return orEmpty(sd_bus_message_get_member(message_)); }
std::string_view BusMessage::sender() const { return orEmpty(sd_bus_message_get_sender(message_)); }
std::string_view BusMessage::signature() const { return orEmpty(sd_bus_message_get_signature(message_, 1)); }

std::string_view BusMessage::errorName() const
{
    const sd_bus_error* error = sd_bus_message_get_error(message_);
    return error ? orEmpty(error->name) : std::string_view();
}

std::string_view BusMessage::errorMessage() const
{
    const sd_bus_error* error = sd_bus_message_get_error(message_);
    return error ? orEmpty(error->message) : std::string_view();
}

bool BusMessage::isMethodCall() const { return sd_bus_message_is_method_call(message_, nullptr, nullptr) > 0; }

bool BusMessage::isSignal(const char* interface, const char* member) const
{
    return sd_bus_message_is_signal(message_, interface, member) > 0;
}

bool BusMessage::isReply() const
{
    std::uint8_t type = 0;
    return sd_bus_message_get_type(message_, &type) >= 0 && type == SD_BUS_MESSAGE_METHOD_RETURN;
}

bool BusMessage::isError() const { return sd_bus_message_is_method_error(message_, nullptr) > 0; }

bool BusMessage::expectsReply() const { return sd_bus_message_get_expect_reply(message_) > 0; }

void BusMessage::setDestination(const char* destination)
{
    check(sd_bus_message_set_destination(message_, destination), "the destination cannot be set");
}

void BusMessage::appendBasic(char type, const void* value)
{
    check(sd_bus_message_append_basic(message_, type, value), "the value cannot be written");
}

void BusMessage::appendInt16(std::int16_t value) { appendBasic(SD_BUS_TYPE_INT16, &value); }
void BusMessage::appendUInt16(std::uint16_t value) { appendBasic(SD_BUS_TYPE_UINT16, &value); }
void BusMessage::appendInt32(std::int32_t value) { appendBasic(SD_BUS_TYPE_INT32, &value); }
void BusMessage::appendUInt32(std::uint32_t value) { appendBasic(SD_BUS_TYPE_UINT32, &value); }
void BusMessage::appendInt64(std::int64_t value) { appendBasic(SD_BUS_TYPE_INT64, &value); }
void BusMessage::appendUInt64(std::uint64_t value) { appendBasic(SD_BUS_TYPE_UINT64, &value); }
void BusMessage::appendDouble(double value) { appendBasic(SD_BUS_TYPE_DOUBLE, &value); }
void BusMessage::appendByte(std::uint8_t value) { appendBasic(SD_BUS_TYPE_BYTE, &value); }

void BusMessage::appendBool(bool value)
{
    const int flag = value ? 1 : 0;
    appendBasic(SD_BUS_TYPE_BOOLEAN, &flag);
}

void BusMessage::appendText(const char* text, char type)
{
    // The library checks the text (UTF-8, a valid path) before it takes it.
    appendBasic(type, text);
}

void BusMessage::open(char type, const char* contents)
{
    check(sd_bus_message_open_container(message_, type, contents), "the container cannot be opened");
}

void BusMessage::close() { check(sd_bus_message_close_container(message_), "the container cannot be closed"); }

void BusMessage::appendFixedArray(char type, const void* data, std::size_t bytes)
{
    check(sd_bus_message_append_array(message_, type, data, bytes), "the array cannot be written");
}

void* BusMessage::appendFixedArraySpace(char type, std::size_t bytes)
{
    void* space = nullptr;
    check(sd_bus_message_append_array_space(message_, type, bytes, &space), "the array cannot be written");
    return space;
}

char BusMessage::peek(std::string* contents)
{
    char type = 0;
    const char* inner = nullptr;
    const int result = sd_bus_message_peek_type(message_, &type, &inner);
    check(result, "the message cannot be read");
    if (result == 0) type = 0;
    if (contents) *contents = orEmpty(result > 0 ? inner : nullptr);
    return type;
}

void BusMessage::enter(char type, const char* contents)
{
    std::string found;
    const char next = peek(&found);
    if (next != type || found != contents) {
        const QString expected = type == SD_BUS_TYPE_STRUCT ? QStringLiteral("(%1)").arg(QLatin1StringView(contents))
                                 : type == SD_BUS_TYPE_ARRAY ? QStringLiteral("a%1").arg(QLatin1StringView(contents))
                                                             : QStringLiteral("%1%2").arg(QLatin1Char(type)).arg(QLatin1StringView(contents));
        throw WireFormatError(QStringLiteral("expected %1, found D-Bus type \"%2\" holding \"%3\"")
                                  .arg(expected, next ? QString(QLatin1Char(next)) : QString(), QString::fromUtf8(found)));
    }
    check(sd_bus_message_enter_container(message_, type, contents), "the container cannot be entered");
}

void BusMessage::exit() { check(sd_bus_message_exit_container(message_), "the container cannot be left"); }

bool BusMessage::atEnd() { return peek() == 0; }

void BusMessage::skip(const char* types) { check(sd_bus_message_skip(message_, types), "the value cannot be passed over"); }

void BusMessage::readBasic(char type, void* into)
{
    char next = peek();
    if (next != type)
        throw WireFormatError(QStringLiteral("expected D-Bus type %1, found \"%2\"")
                                  .arg(QString(QLatin1Char(type)), next ? QString(QLatin1Char(next)) : QString()));
    checkRead(sd_bus_message_read_basic(message_, type, into), type);
}

std::int16_t BusMessage::readInt16() { std::int16_t v = 0; readBasic(SD_BUS_TYPE_INT16, &v); return v; }
std::uint16_t BusMessage::readUInt16() { std::uint16_t v = 0; readBasic(SD_BUS_TYPE_UINT16, &v); return v; }
std::int32_t BusMessage::readInt32() { std::int32_t v = 0; readBasic(SD_BUS_TYPE_INT32, &v); return v; }
std::uint32_t BusMessage::readUInt32() { std::uint32_t v = 0; readBasic(SD_BUS_TYPE_UINT32, &v); return v; }
std::int64_t BusMessage::readInt64() { std::int64_t v = 0; readBasic(SD_BUS_TYPE_INT64, &v); return v; }
std::uint64_t BusMessage::readUInt64() { std::uint64_t v = 0; readBasic(SD_BUS_TYPE_UINT64, &v); return v; }
double BusMessage::readDouble() { double v = 0; readBasic(SD_BUS_TYPE_DOUBLE, &v); return v; }
std::uint8_t BusMessage::readByte() { std::uint8_t v = 0; readBasic(SD_BUS_TYPE_BYTE, &v); return v; }

bool BusMessage::readBool()
{
    int v = 0;
    readBasic(SD_BUS_TYPE_BOOLEAN, &v);
    return v != 0;
}

std::string_view BusMessage::readText(char type)
{
    const char* text = nullptr;
    readBasic(type, &text);
    return orEmpty(text);
}

std::pair<const void*, std::size_t> BusMessage::fixedArray(char type)
{
    std::string contents;
    const char next = peek(&contents);
    if (next != SD_BUS_TYPE_ARRAY || contents.size() != 1 || contents[0] != type)
        throw WireFormatError(QStringLiteral("expected an array of D-Bus type %1").arg(QLatin1Char(type)));
    const void* data = nullptr;
    std::size_t bytes = 0;
    check(sd_bus_message_read_array(message_, type, &data, &bytes), "the array cannot be read");
    return {data, bytes};
}

void BusMessage::rewind() { check(sd_bus_message_rewind(message_, 1), "the message cannot be read again"); }

}  // namespace corvane::remoting

#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

struct sd_bus_message;

namespace corvane::remoting {

// One D-Bus message, owned (a reference to the library's message), with
// checked reading and writing: every step the library refuses throws
// WireFormatError, so that a message off the wire format is an ordinary
// outcome. The one place where values meet the library's message calls.
class BusMessage {
public:
    BusMessage() = default;
    // Takes over the reference that `message` carries.
    static BusMessage adopt(sd_bus_message* message);
    // A reference of its own to `message`.
    static BusMessage share(sd_bus_message* message);
    ~BusMessage();
    BusMessage(BusMessage&& other) noexcept;
    BusMessage& operator=(BusMessage&& other) noexcept;
    BusMessage(const BusMessage&) = delete;
    BusMessage& operator=(const BusMessage&) = delete;

    sd_bus_message* get() const { return message_; }
    explicit operator bool() const { return message_ != nullptr; }

    // The header; "" where a field is absent.
    std::string_view path() const;
    std::string_view interface() const;
    std::string_view member() const;
    std::string_view sender() const;
    std::string_view signature() const;
    std::string_view errorName() const;
    std::string_view errorMessage() const;
    bool isMethodCall() const;
    bool isSignal(const char* interface, const char* member) const;
    bool isReply() const;
    bool isError() const;
    bool expectsReply() const;
    void setDestination(const char* destination);

    // Writing, in message order.
    void appendInt16(std::int16_t value);
    void appendUInt16(std::uint16_t value);
    void appendInt32(std::int32_t value);
    void appendUInt32(std::uint32_t value);
    void appendInt64(std::int64_t value);
    void appendUInt64(std::uint64_t value);
    void appendDouble(double value);
    void appendBool(bool value);
    void appendByte(std::uint8_t value);
    // `type` 's' or 'o'; refused unless valid UTF-8 (and a valid path).
    void appendText(const char* text, char type = 's');
    void open(char type, const char* contents);
    void close();
    // A whole array of a fixed-size type from `bytes` in one copy.
    void appendFixedArray(char type, const void* data, std::size_t bytes);
    // Room for a fixed-size array of `bytes`, to be filled in place.
    void* appendFixedArraySpace(char type, std::size_t bytes);

    // Reading. The type of the next item and its contents' signature; type 0
    // at the end of the enclosing container.
    char peek(std::string* contents = nullptr);
    // Throws unless the next item is of `type` with exactly `contents`.
    void enter(char type, const char* contents);
    void exit();
    bool atEnd();
    // Passes over the next items, of the complete types `types`.
    void skip(const char* types);
    std::int16_t readInt16();
    std::uint16_t readUInt16();
    std::int32_t readInt32();
    std::uint32_t readUInt32();
    std::int64_t readInt64();
    std::uint64_t readUInt64();
    double readDouble();
    bool readBool();
    std::uint8_t readByte();
    std::string_view readText(char type = 's');
    // A whole array of a fixed-size type, in place in the message.
    template <class T>
    std::span<const T> readFixedArray(char type)
    {
        const auto [data, bytes] = fixedArray(type);
        return {static_cast<const T*>(data), bytes / sizeof(T)};
    }
    // From the first argument again, for a second reader.
    void rewind();

private:
    explicit BusMessage(sd_bus_message* message) : message_(message) {}
    void appendBasic(char type, const void* value);
    void readBasic(char type, void* into);
    std::pair<const void*, std::size_t> fixedArray(char type);

    sd_bus_message* message_ = nullptr;
};

}  // namespace corvane::remoting

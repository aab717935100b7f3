#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

namespace corvane::fuzz {

// Reads decisions and values off a fuzzer's input. Once the bytes run out
// every read gives zero, so any input is a complete program.
class FuzzInput {
public:
    explicit FuzzInput(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool empty() const { return at_ >= bytes_.size(); }
    std::size_t remaining() const { return empty() ? 0 : bytes_.size() - at_; }

    std::uint8_t byte() { return empty() ? 0 : bytes_[at_++]; }
    bool flag() { return (byte() & 1) != 0; }

    // The next sizeof(T) bytes as a T (zero-filled past the end).
    template <class T>
    T raw()
    {
        unsigned char buffer[sizeof(T)] = {};
        const std::size_t n = remaining() < sizeof(T) ? remaining() : sizeof(T);
        if (n) std::memcpy(buffer, bytes_.data() + at_, n);
        at_ += n;
        T value;
        std::memcpy(&value, buffer, sizeof(T));
        return value;
    }

    // A number from 0 to n - 1 (0 when n is 0).
    std::uint32_t below(std::uint32_t n)
    {
        if (n <= 1) return 0;
        if (n <= 256) return byte() % n;
        return raw<std::uint32_t>() % n;
    }

    // Text of up to `maxLength` UTF-16 units: a length byte, then one unit
    // per byte, where a byte from 0xF0 up is followed by a whole UTF-16 unit
    // (so that non-Latin text and lone surrogates turn up too).
    std::u16string text(std::size_t maxLength)
    {
        const std::size_t length = byte() % (maxLength + 1);
        std::u16string out;
        while (out.size() < length && !empty()) out += unit();
        return out;
    }

    // Everything that is left, read as text.
    std::u16string rest()
    {
        std::u16string out;
        while (!empty()) out += unit();
        return out;
    }

private:
    char16_t unit()
    {
        const std::uint8_t b = byte();
        if (b < 0xF0) return static_cast<char16_t>(b);
        return raw<char16_t>();
    }

    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

// Ends the run with a message: an input broke a property the system promises.
[[noreturn]] void fail(const char* what);
[[noreturn]] void fail(const char* what, std::u16string_view detail);

}  // namespace corvane::fuzz

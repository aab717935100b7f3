#pragma once

#include <cstddef>

namespace corvane::remoting {

// Keeps an outgoing message within what the bus accepts. A message over the
// limits does not merely fail: the bus drops the connection that sent it, so
// the sender must refuse to build it. Sizes are upper bounds of the encoded
// bytes, padding included.
class WireBudget {
public:
    // The bus's limits: 64 MiB for one array, 128 MiB for a message, less room
    // for the header.
    static constexpr std::size_t kMaxArrayBytes = std::size_t{1} << 26;
    static constexpr std::size_t kMaxMessageBytes = (std::size_t{1} << 27) - (std::size_t{1} << 16);

    // Counts `bytes` towards the message; throws WireLimitError beyond the limit.
    void spend(std::size_t bytes);
    // Counts an array whose elements take `bytes`; throws WireLimitError when
    // the array alone or the message breaks its limit.
    void spendArray(std::size_t bytes);
    // Throws WireLimitError when an array whose elements took `bytes` is too long.
    static void checkArray(std::size_t bytes);

    std::size_t spent() const { return spent_; }

    // Upper bounds of the encoded size of a text and of one (qv) frame around a value.
    static std::size_t textBytes(std::size_t utf16Units) { return 8 + 3 * utf16Units; }
    static constexpr std::size_t kValueFrameBytes = 32;

private:
    std::size_t spent_ = 0;
};

}  // namespace corvane::remoting

#pragma once

#include <cstddef>
#include <string>

namespace corvane::bench {

// The bytes that calls of the contract and their replies take on a direct
// connection (no bus header fields), marshalled by libdbus exactly as the
// messages are sent, so that the raw socket moves just as many.
struct WireSize {
    std::size_t call = 0;
    std::size_t reply = 0;
};

// Tags.Count (Invoke 0x68030000, property get) on `path`, answered with an I4.
WireSize tagsCount(const std::string& path);
// Tag.UnpackResults (three references to Variants) on `path`, answered with
// `samples` values (R4), timestamps (Date) and confidences (I2).
WireSize unpackResults(const std::string& path, std::size_t samples);

}  // namespace corvane::bench

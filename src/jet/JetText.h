#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::jet {

// Text as Jet 4 stores it: "compressed unicode" (FF FE, then one byte per
// character) when every character is 1 to 255 and that is shorter, UTF-16LE
// otherwise.
std::vector<std::uint8_t> encodeText(std::u16string_view text);

// Reads either form; a zero byte in the compressed form switches between one
// and two bytes per character. An odd trailing byte is dropped.
std::u16string decodeText(const std::uint8_t* bytes, std::size_t count);

// UTF-8 <-> UTF-16 for names and messages at the edges (file names, CSV, the
// command line). Malformed UTF-8 becomes U+FFFD.
std::u16string fromUtf8(std::string_view text);
std::string toUtf8(std::u16string_view text);

}  // namespace corvane::jet

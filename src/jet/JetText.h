#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::jet {

// Text as Jet 4 stores it: "compressed unicode" (FF FE, then one byte per
// character) when `compress` allows, every character is 1 to 255 and that
// is shorter, UTF-16LE otherwise. A text that begins with U+FEFF would read
// back as compressed text in UTF-16LE: it is written FF FE 00 (compressed,
// switched at once to two bytes a character) and its characters after that.
std::vector<std::uint8_t> encodeText(std::u16string_view text, bool compress = true);

// Whether encodeText gives bytes that read back as `text`: not so for a text
// that begins with U+FEFF and holds a character whose low byte is zero,
// which would read as a switch back to one byte a character.
bool readsBack(std::u16string_view text);
inline constexpr char kUnstorableText[] =
    "a text that begins with U+FEFF cannot hold a character whose low byte is zero (U+0100, U+0200...)";

// Reads either form; a zero byte in the compressed form switches between one
// and two bytes per character. An odd trailing byte is dropped.
std::u16string decodeText(const std::uint8_t* bytes, std::size_t count);

// UTF-8 <-> UTF-16 for names and messages at the edges (file names, CSV, the
// command line). Malformed UTF-8 becomes U+FFFD.
std::u16string fromUtf8(std::string_view text);
std::string toUtf8(std::u16string_view text);

}  // namespace corvane::jet

#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::jet {

// A character that has no code in the General sort order (one outside the
// Basic Multilingual Plane, or a lone surrogate): no one can say where the
// engine would file it, so no key is made over it.
class NoSortCode : public std::runtime_error {
public:
    // The character at unit `at` of `text`.
    NoSortCode(std::u16string_view text, std::size_t at);
    char32_t character() const { return character_; }
    const std::u16string& units() const { return units_; }  // one, or a surrogate pair

private:
    char32_t character_;
    std::u16string units_;
};

// Appends the key of `text` as an ascending index in the General sort order
// stores it after the entry's flag byte: the inline codes of the characters
// (letters of either case alike), the end-of-text byte, then what tells
// accents, unprintable characters and the like apart, and a closing zero.
// Only the first 255 units count, as the engine keys no more of a text.
void appendTextIndexKey(std::vector<std::uint8_t>& key, std::u16string_view text);

}  // namespace corvane::jet

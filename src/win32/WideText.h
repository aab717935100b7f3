#pragma once

#include <string>
#include <string_view>

namespace corvane::win32 {

// The core speaks UTF-16 like Windows (wchar_t is 16 bits there), so these
// are plain copies.
static_assert(sizeof(wchar_t) == sizeof(char16_t), "the Windows build has 16-bit wchar_t");

inline std::wstring toWide(std::u16string_view text) {
    return {reinterpret_cast<const wchar_t*>(text.data()), text.size()};
}

inline std::u16string toU16(std::wstring_view text) {
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

}  // namespace corvane::win32

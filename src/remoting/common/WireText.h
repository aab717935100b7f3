#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace corvane::remoting {

inline QString toQString(std::u16string_view text) { return QString::fromUtf16(text.data(), qsizetype(text.size())); }

inline std::u16string toU16(const QString& text)
{
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size()));
}

}  // namespace corvane::remoting

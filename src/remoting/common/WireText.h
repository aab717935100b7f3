#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace corvane::remoting {

// Unit for unit: QString::fromUtf16 would take a leading U+FEFF or U+FFFE for
// a byte order mark, dropping it (and byte-swapping the rest after U+FFFE).
inline QString toQString(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}

inline std::u16string toU16(const QString& text)
{
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size()));
}

}  // namespace corvane::remoting

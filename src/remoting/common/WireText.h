#pragma once

#include <QString>
#include <QStringDecoder>

#include <string>
#include <string_view>

namespace corvane::remoting {

// Unit for unit: QString::fromUtf16 would take a leading U+FEFF or U+FFFE for
// a byte order mark, dropping it (and byte-swapping the rest after U+FFFE).
inline QString toQString(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}

// Text off the wire as it was sent: QString::fromUtf8 would take a leading
// U+FEFF for a byte order mark and drop it.
inline QString fromWireUtf8(std::string_view utf8)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return decoder(QByteArrayView(utf8.data(), qsizetype(utf8.size())));
}

inline std::u16string toU16(const QString& text)
{
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size()));
}

}  // namespace corvane::remoting

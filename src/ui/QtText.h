#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace corvane::ui {

// The core speaks UTF-16 like Qt, so these are plain copies.
inline QString toQString(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

inline std::u16string toU16(const QString& text) {
    return text.toStdU16String();
}

}  // namespace corvane::ui

#include "corvanesim/Text.h"

#include "automation/AutomationDate.h"
#include "automation/AutomationError.h"

#include <QString>
#include <QStringDecoder>

#include <cstdio>

namespace corvane::client {

std::string toUtf8(std::u16string_view text)
{
    // Unit for unit: QString::fromUtf16 would take a leading U+FEFF or U+FFFE
    // for a byte order mark, dropping it (and byte-swapping the rest after U+FFFE).
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size())).toStdString();
}

std::u16string fromUtf8(std::string_view text)
{
    // QString::fromUtf8 would drop a leading byte order mark, which here is text.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    const QString converted = decoder(QByteArrayView(text.data(), qsizetype(text.size())));
    return std::u16string(reinterpret_cast<const char16_t*>(converted.utf16()), std::size_t(converted.size()));
}

std::string dateText(double automationDate)
{
    if (!automation::date::inRange(automationDate)) return {};
    const automation::LocalDateTime t = automation::date::toLocal(automationDate);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
    return text;
}

}  // namespace corvane::client

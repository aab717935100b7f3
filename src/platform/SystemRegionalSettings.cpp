#include "SystemRegionalSettings.h"

namespace corvane::platform {
namespace {

// A locale separator is a single character everywhere we run; anything longer
// (some locales use a narrow no-break space plus a mark) keeps its first unit.
char16_t firstUnit(const QString& text, char16_t fallback)
{
    return text.isEmpty() ? fallback : static_cast<char16_t>(text.front().unicode());
}

}  // namespace

SystemRegionalSettings::SystemRegionalSettings(const QLocale& locale)
    : decimal_(firstUnit(locale.decimalPoint(), u'.')), group_(firstUnit(locale.groupSeparator(), u','))
{
    for (int month = 1; month <= 12; ++month)
        months_[month - 1] = locale.monthName(month, QLocale::ShortFormat).toStdU16String();
}

std::u16string SystemRegionalSettings::monthAbbreviation(int month) const
{
    return month >= 1 && month <= 12 ? months_[month - 1] : std::u16string();
}

}  // namespace corvane::platform

#include "win32/WindowsRegionalSettings.h"

#include "win32/WideText.h"

#include <windows.h>

namespace corvane::win32 {

namespace {

std::wstring localeText(LCTYPE what) {
    wchar_t text[80] = {};
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, what, text, 80);
    return length > 1 ? std::wstring(text, static_cast<std::size_t>(length - 1)) : std::wstring();
}

// A separator is a single character everywhere we run; anything longer keeps
// its first unit.
char16_t firstUnit(const std::wstring& text, char16_t fallback) {
    return text.empty() ? fallback : static_cast<char16_t>(text.front());
}

}  // namespace

WindowsRegionalSettings::WindowsRegionalSettings()
    : decimal_(firstUnit(localeText(LOCALE_SDECIMAL), u'.')), group_(firstUnit(localeText(LOCALE_STHOUSAND), u',')) {
    for (int month = 0; month < 12; ++month) {
        months_[month] = toU16(localeText(LOCALE_SABBREVMONTHNAME1 + static_cast<LCTYPE>(month)));
    }
}

std::u16string WindowsRegionalSettings::monthAbbreviation(int month) const {
    return month >= 1 && month <= 12 ? months_[month - 1] : std::u16string();
}

}  // namespace corvane::win32

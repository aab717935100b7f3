#include "win32/SystemRegionalSettings.h"

#include "win32/WideText.h"

#include <windows.h>

#include <string>

namespace corvane::win32 {

namespace {

std::u16string localeText(LCTYPE what) {
    wchar_t text[80] = {};
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, what, text, 80);
    return length > 1 ? toU16(std::wstring_view(text, static_cast<std::size_t>(length - 1))) : std::u16string();
}

// A separator is a single character everywhere we run; anything longer keeps
// its first unit.
char16_t firstUnit(const std::u16string& text, char16_t fallback) {
    return text.empty() ? fallback : text.front();
}

}  // namespace

automation::FixedRegionalSettings systemRegionalSettings() {
    std::u16string months[12];
    const char16_t* names[12];
    for (int month = 0; month < 12; ++month) {
        months[month] = localeText(LOCALE_SABBREVMONTHNAME1 + static_cast<LCTYPE>(month));
        names[month] = months[month].c_str();
    }
    return {firstUnit(localeText(LOCALE_SDECIMAL), u'.'), firstUnit(localeText(LOCALE_STHOUSAND), u','), names};
}

}  // namespace corvane::win32

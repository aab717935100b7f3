#include "win32/WindowText.h"

#include "win32/WideText.h"

namespace corvane::win32 {

namespace {

std::wstring withCarriageReturns(std::u16string_view text) {
    std::wstring out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r')) {
            out.push_back(L'\r');
        }
        out.push_back(static_cast<wchar_t>(text[i]));
    }
    return out;
}

}  // namespace

std::u16string windowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return toU16(text);
}

void setWindowText(HWND window, std::u16string_view text) {
    SetWindowTextW(window, toWide(text).c_str());
}

void setMultiLineText(HWND box, std::u16string_view text) {
    SetWindowTextW(box, withCarriageReturns(text).c_str());
}

void appendMultiLineText(HWND box, std::u16string_view more) {
    const LRESULT end = GetWindowTextLengthW(box);
    SendMessageW(box, EM_SETSEL, static_cast<WPARAM>(end), end);
    const std::wstring text = withCarriageReturns(more);
    SendMessageW(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace corvane::win32

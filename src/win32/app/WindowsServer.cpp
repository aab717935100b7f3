#include "WindowsServer.h"

#include "win32/WideText.h"

#include <windows.h>

namespace corvane::win32 {

WindowsServer::WindowsServer(TagDataLayer& dataLayer, const std::u16string& executableFolder)
    : tagStore_(dataLayer, executableFolder, regional_),
      process_(console_, tagStore_, clock_, regional_),
      gridEdits_(process_) {
    console_.setConsoleEvents(&gridEdits_);
}

std::u16string WindowsServer::executableFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t separator = path.find_last_of(L"\\/");
    return toU16(separator == std::wstring::npos ? std::wstring() : path.substr(0, separator));
}

}  // namespace corvane::win32

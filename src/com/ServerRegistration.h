#pragma once

#include "WindowsHeaders.h"

#include <string>

namespace corvane::com {

enum class RegistrationScope { Machine, User };

// The registry entries of the server: the type library CorvaneSim 1.0 (the
// .tlb written beside the executable, for win32 and win64), the interfaces
// marshalled through it, and the creatable classes under their ProgIDs with
// the executable as their local server. Under HKLM\Software\Classes for the
// machine, HKCU\Software\Classes for the user. Unregistering removes exactly
// what registering wrote, the .tlb included.
HRESULT registerServer(const std::wstring& executablePath, RegistrationScope scope);
HRESULT unregisterServer(const std::wstring& executablePath, RegistrationScope scope);

// The type library's file: beside the executable, named after the library.
std::wstring typeLibraryPath(const std::wstring& executablePath);

}  // namespace corvane::com

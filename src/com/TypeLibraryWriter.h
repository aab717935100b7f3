#pragma once

#include "WindowsHeaders.h"

#include <string>

namespace corvane::com {

// Writes the type library CorvaneSim 1.0 to `path`, made from the member
// table: every interface dual, hidden, nonextensible and restricted to
// Automation types, its members in the table's order after IDispatch's; the
// classes with their default interfaces, Data and SimServer creatable.
HRESULT writeTypeLibrary(const std::wstring& path);

}  // namespace corvane::com

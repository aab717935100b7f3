#pragma once

#include "WindowsHeaders.h"

#include "automation/TypeInfo.h"

#include <string>

namespace corvane::com {

// The GUID the member table names in its registry form.
GUID guidOf(automation::Guid guid);
// "{XXXXXXXX-...}", as the registry writes it.
std::wstring bracedText(automation::Guid guid);

}  // namespace corvane::com

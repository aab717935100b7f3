#pragma once

#include "automation/RegionalSettings.h"

namespace corvane::win32 {

// The regional settings of the user, read from the system once.
automation::FixedRegionalSettings systemRegionalSettings();

}  // namespace corvane::win32

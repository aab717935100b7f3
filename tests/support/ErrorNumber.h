#pragma once

#include "automation/AutomationError.h"

#include <functional>

namespace corvane::testing {

// The error number an Automation error carries, 0 when the call succeeds.
inline int errorNumberOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const automation::AutomationError& e) {
        return e.number();
    }
    return 0;
}

}  // namespace corvane::testing

#pragma once

#include "automation/Clock.h"

namespace corvane::win32 {

// The system's local time, to the whole second.
class WindowsClock final : public automation::Clock {
public:
    automation::LocalDateTime now() const override;
};

}  // namespace corvane::win32

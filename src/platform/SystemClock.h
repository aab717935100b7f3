#pragma once

#include "automation/Clock.h"

namespace corvane::platform {

// The system's local time, to the whole second.
class SystemClock final : public automation::Clock {
public:
    automation::LocalDateTime now() const override;
};

}  // namespace corvane::platform

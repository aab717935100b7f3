#pragma once

namespace corvane::automation {

// A local calendar date and time to the whole second.
struct LocalDateTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

// The present local time. The platform adapter reads the system clock; tests
// set the time they need.
class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalDateTime now() const = 0;
};

class SettableClock final : public Clock {
public:
    explicit SettableClock(LocalDateTime start = {2026, 12, 6, 10, 0, 0}) : now_(start) {}
    LocalDateTime now() const override { return now_; }
    void set(LocalDateTime value) { now_ = value; }

private:
    LocalDateTime now_;
};

}  // namespace corvane::automation

#pragma once

#include "Clock.h"

#include <cstdint>

namespace corvane::automation {

// Automation dates: a double counting days since 30 December 1899 00:00:00,
// the time of day as the fraction. Before 1899 the integer part is the day and
// the fraction still counts forward from that day's midnight, so -1.25 is
// 29 December 1899 06:00. Arithmetic goes through whole seconds on a linear
// scale, never through raw doubles across zero.
namespace date {

inline constexpr int kMinYear = 100;
inline constexpr int kMaxYear = 9999;
inline constexpr std::int64_t kSecondsPerDay = 86400;
// The first and the last second of the years 100 to 9999 on the linear scale.
inline constexpr std::int64_t kFirstSecond = -56802297600;  // 1 January 100 00:00:00
inline constexpr std::int64_t kLastSecond = 255611462399;   // 31 December 9999 23:59:59

// Days from 30 December 1899 to the given calendar day (negative before it).
std::int64_t daysFromCivil(int year, int month, int day);
void civilFromDays(std::int64_t days, int& year, int& month, int& day);

// Linear seconds since 30 December 1899 00:00:00 of a date value, rounded to
// the nearest second. Fails with error 5 for NaN, infinities and values too
// large to count in seconds.
std::int64_t toSeconds(double automationDate);
// The date value of a second on the linear scale (no range check).
double fromSeconds(std::int64_t seconds);
// The same for a second given as its day and its second of that day (0 to 86399).
double fromDayAndSecond(std::int64_t day, std::int64_t secondOfDay);

// Whether a date value lies within the years 100 to 9999.
bool inRange(double automationDate);
// Fails with error 5 when the date lies outside the years 100 to 9999.
double checked(double automationDate);

LocalDateTime toLocal(double automationDate);          // rounded to the whole second
double fromLocal(const LocalDateTime& value);            // error 5 outside the years 100 to 9999

// `date` plus `seconds`, by calendar arithmetic; error 5 outside the years 100 to 9999.
double addSeconds(double automationDate, std::int64_t seconds);
// Whole seconds from `from` to `to` (negative when `to` is earlier).
std::int64_t secondsBetween(double from, double to);

// The present moment of `clock` as a date value, to the whole second.
double now(const Clock& clock);

}  // namespace date
}  // namespace corvane::automation

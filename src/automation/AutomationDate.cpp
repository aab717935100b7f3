#include "AutomationDate.h"

#include "AutomationError.h"

#include <cmath>

namespace corvane::automation::date {
namespace {

// Days from 1 January 1970 in the proleptic Gregorian calendar (H. Hinnant's algorithm).
std::int64_t daysFromEpoch(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

constexpr std::int64_t kEpochTo1899 = -25569;  // 30 December 1899 counted from 1 January 1970

// Dates this far out cannot be counted in seconds; well beyond the year 9999.
constexpr double kLargestDay = 1e12;

}  // namespace

std::int64_t daysFromCivil(int year, int month, int day)
{
    return daysFromEpoch(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kEpochTo1899;
}

void civilFromDays(std::int64_t days, int& year, int& month, int& day)
{
    const std::int64_t z = days + kEpochTo1899 + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2));
}

std::int64_t toSeconds(double automationDate)
{
    if (!std::isfinite(automationDate) || std::fabs(automationDate) > kLargestDay)
        raiseError(error::kInvalidProcedureCall);
    // The integer part names the day; the fraction counts forward from that
    // day's midnight whatever the sign of the whole value.
    const double day = std::trunc(automationDate);
    const double timeOfDay = std::fabs(automationDate - day);
    return static_cast<std::int64_t>(day) * kSecondsPerDay +
           static_cast<std::int64_t>(std::llround(timeOfDay * static_cast<double>(kSecondsPerDay)));
}

double fromSeconds(std::int64_t seconds)
{
    std::int64_t day = seconds / kSecondsPerDay;
    std::int64_t timeOfDay = seconds % kSecondsPerDay;
    if (timeOfDay < 0) {
        timeOfDay += kSecondsPerDay;
        --day;
    }
    return fromDayAndSecond(day, timeOfDay);
}

double fromDayAndSecond(std::int64_t day, std::int64_t secondOfDay)
{
    const double fraction = static_cast<double>(secondOfDay) / static_cast<double>(kSecondsPerDay);
    return day >= 0 ? static_cast<double>(day) + fraction : static_cast<double>(day) - fraction;
}

bool inRange(double automationDate)
{
    if (!std::isfinite(automationDate) || std::fabs(automationDate) > kLargestDay) return false;
    const std::int64_t seconds = toSeconds(automationDate);
    return seconds >= kFirstSecond && seconds <= kLastSecond;
}

double checked(double automationDate)
{
    if (!inRange(automationDate)) raiseError(error::kInvalidProcedureCall);
    return automationDate;
}

LocalDateTime toLocal(double automationDate)
{
    const std::int64_t seconds = toSeconds(automationDate);
    std::int64_t day = seconds / kSecondsPerDay;
    std::int64_t timeOfDay = seconds % kSecondsPerDay;
    if (timeOfDay < 0) {
        timeOfDay += kSecondsPerDay;
        --day;
    }
    LocalDateTime out;
    civilFromDays(day, out.year, out.month, out.day);
    out.hour = static_cast<int>(timeOfDay / 3600);
    out.minute = static_cast<int>(timeOfDay / 60 % 60);
    out.second = static_cast<int>(timeOfDay % 60);
    return out;
}

double fromLocal(const LocalDateTime& value)
{
    if (value.year < kMinYear || value.year > kMaxYear || value.month < 1 || value.month > 12 || value.day < 1 ||
        value.day > 31 || value.hour < 0 || value.hour > 23 || value.minute < 0 || value.minute > 59 ||
        value.second < 0 || value.second > 59)
        raiseError(error::kInvalidProcedureCall);
    int y = 0, m = 0, d = 0;
    const std::int64_t days = daysFromCivil(value.year, value.month, value.day);
    civilFromDays(days, y, m, d);
    if (d != value.day) raiseError(error::kInvalidProcedureCall);  // 31 April and the like
    return fromSeconds(days * kSecondsPerDay + value.hour * 3600 + value.minute * 60 + value.second);
}

double addSeconds(double automationDate, std::int64_t seconds)
{
    const std::int64_t start = toSeconds(automationDate);
    // Steps longer than the whole calendar can only leave it; checking them
    // first keeps the sum inside 64 bits.
    const std::int64_t span = kLastSecond - kFirstSecond;
    if (seconds > span || seconds < -span) raiseError(error::kInvalidProcedureCall);
    const std::int64_t result = start + seconds;
    if (result < kFirstSecond || result > kLastSecond) raiseError(error::kInvalidProcedureCall);
    return fromSeconds(result);
}

std::int64_t secondsBetween(double from, double to) { return toSeconds(to) - toSeconds(from); }

double now(const Clock& clock) { return fromLocal(clock.now()); }

}  // namespace corvane::automation::date

#pragma once

#include "RegionalSettings.h"

#include <string>

namespace corvane::automation::date {

// "dd mmm yyyy  hh:mm:ss" (two blanks before the time): labels of the query window.
std::u16string formatLongStamp(double automationDate, const RegionalSettings& regional);
// "dd mmm yy  hh:mm:ss": the sample listing.
std::u16string formatShortStamp(double automationDate, const RegionalSettings& regional);
// "hh:mm:ss": the write log.
std::u16string formatTimeOfDay(double automationDate);

// Appending forms, for listings that are built in one buffer.
void appendShortStamp(std::u16string& out, double automationDate, const RegionalSettings& regional);

}  // namespace corvane::automation::date

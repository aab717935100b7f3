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

// The general text form of a date value: "yyyy-mm-dd hh:mm:ss", without the
// date on 30 December 1899 and without the time at midnight.
std::u16string formatGeneral(double automationDate, const RegionalSettings& regional);

// Appending forms, for listings that are built in one buffer.
void appendShortStamp(std::u16string& out, double automationDate, const RegionalSettings& regional);

}  // namespace corvane::automation::date

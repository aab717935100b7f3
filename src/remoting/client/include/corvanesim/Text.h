#pragma once

#include <string>
#include <string_view>

namespace corvane::client {

// Automation text is UTF-16; programs mostly hold UTF-8.
std::string toUtf8(std::u16string_view text);
std::u16string fromUtf8(std::string_view text);

// An Automation date (days since 30 December 1899, local time) as
// "yyyy-mm-dd hh:mm:ss", to the nearest second; "" outside the years 100 to 9999.
std::string dateText(double automationDate);

}  // namespace corvane::client

#pragma once

#include "automation/Variant.h"

#include <optional>
#include <string>
#include <string_view>

namespace corvane::cli {

// Values between the command line and the server. Numbers use "." whatever
// the locale, so that output and scripts agree everywhere.
namespace text {

// A whole decimal number / any decimal number, the whole text or nothing.
std::optional<std::int32_t> parseInteger(std::string_view text);
std::optional<double> parseNumber(std::string_view text);
// "YYYY-MM-DD HH:MM[:SS]" (or with a T between), local time, as an Automation date.
std::optional<double> parseDate(std::string_view text);

// A time for StartTime or EndTime: a date as a Date, anything else as text
// for the server to read (NOW-60M).
automation::Variant when(const std::string& text);
// A number as a Double, anything else as text for the server to convert.
automation::Variant number(const std::string& text);

// A Single in its text form: up to 7 significant digits (73.37954, 1.234568E+08).
std::string single(float value);

}  // namespace text
}  // namespace corvane::cli

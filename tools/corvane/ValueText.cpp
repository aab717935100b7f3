#include "ValueText.h"

#include "corvanesim/Text.h"

#include "automation/AutomationDate.h"
#include "automation/AutomationError.h"
#include "automation/NumberText.h"
#include "automation/RegionalSettings.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace corvane::cli::text {

std::optional<std::int32_t> parseInteger(std::string_view text)
{
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<double> parseNumber(std::string_view text)
{
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> parseDate(std::string_view text)
{
    automation::LocalDateTime t;
    t.second = 0;
    char separator = 0;
    int consumed = 0;
    const std::string copy(text);
    const int fields = std::sscanf(copy.c_str(), "%4d-%2d-%2d%c%2d:%2d%n:%2d%n", &t.year, &t.month, &t.day, &separator,
                                   &t.hour, &t.minute, &consumed, &t.second, &consumed);
    if (fields < 6 || (separator != ' ' && separator != 'T') || std::size_t(consumed) != copy.size()) return std::nullopt;
    if (t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59 || t.second < 0 || t.second > 59) return std::nullopt;
    try {
        const double date = automation::date::fromLocal(t);
        if (!(automation::date::toLocal(date) == t)) return std::nullopt;  // 31 February
        return date;
    } catch (const automation::AutomationError&) {
        return std::nullopt;  // outside the years 100 to 9999
    }
}

automation::Variant when(const std::string& text)
{
    if (const auto date = parseDate(text)) return automation::Variant::date(*date);
    return automation::Variant(client::fromUtf8(text));
}

automation::Variant number(const std::string& text)
{
    if (const auto value = parseNumber(text)) return automation::Variant(*value);
    return automation::Variant(client::fromUtf8(text));
}

std::string single(float value)
{
    return client::toUtf8(automation::number::formatSingle(value, automation::FixedRegionalSettings::english()));
}

}  // namespace corvane::cli::text

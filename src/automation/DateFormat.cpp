#include "DateFormat.h"

#include "AutomationDate.h"

namespace corvane::automation::date {
namespace {

void appendTwoDigits(std::u16string& out, int value)
{
    out += static_cast<char16_t>(u'0' + value / 10 % 10);
    out += static_cast<char16_t>(u'0' + value % 10);
}

void appendFourDigits(std::u16string& out, int value)
{
    appendTwoDigits(out, value / 100);
    appendTwoDigits(out, value % 100);
}

void appendTime(std::u16string& out, const LocalDateTime& t)
{
    appendTwoDigits(out, t.hour);
    out += u':';
    appendTwoDigits(out, t.minute);
    out += u':';
    appendTwoDigits(out, t.second);
}

void appendStamp(std::u16string& out, double automationDate, const RegionalSettings& regional, bool fourDigitYear)
{
    const LocalDateTime t = toLocal(automationDate);
    appendTwoDigits(out, t.day);
    out += u' ';
    out += regional.monthAbbreviation(t.month);
    out += u' ';
    if (fourDigitYear)
        appendFourDigits(out, t.year);
    else
        appendTwoDigits(out, t.year % 100);
    out += u"  ";
    appendTime(out, t);
}

}  // namespace

std::u16string formatLongStamp(double automationDate, const RegionalSettings& regional)
{
    std::u16string out;
    appendStamp(out, automationDate, regional, true);
    return out;
}

std::u16string formatShortStamp(double automationDate, const RegionalSettings& regional)
{
    std::u16string out;
    appendStamp(out, automationDate, regional, false);
    return out;
}

void appendShortStamp(std::u16string& out, double automationDate, const RegionalSettings& regional)
{
    appendStamp(out, automationDate, regional, false);
}

std::u16string formatGeneral(double automationDate, const RegionalSettings&)
{
    const LocalDateTime t = toLocal(automationDate);
    const bool hasDate = !(t.year == 1899 && t.month == 12 && t.day == 30);
    const bool hasTime = t.hour != 0 || t.minute != 0 || t.second != 0;
    std::u16string out;
    if (hasDate) {
        appendFourDigits(out, t.year);
        out += u'-';
        appendTwoDigits(out, t.month);
        out += u'-';
        appendTwoDigits(out, t.day);
    }
    if (hasTime || !hasDate) {
        if (hasDate) out += u' ';
        appendTime(out, t);
    }
    return out;
}

std::u16string formatTimeOfDay(double automationDate)
{
    std::u16string out;
    appendTime(out, toLocal(automationDate));
    return out;
}

}  // namespace corvane::automation::date

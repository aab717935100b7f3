#include "TimeWindow.h"

#include "automation/AutomationDate.h"
#include "automation/Convert.h"
#include "automation/DateFormat.h"
#include "server/OperatorConsole.h"
#include "server/ServerProcess.h"

#include <string_view>

namespace corvane {
namespace {

using automation::Variant;
using automation::VarType;

// Every occurrence of `what`, left to right in one pass, as a text replace does.
std::u16string withoutAll(std::u16string text, std::u16string_view what)
{
    std::u16string out;
    out.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t at = text.find(what); at != std::u16string::npos; at = text.find(what, from)) {
        out.append(text, from, at - from);
        from = at + what.size();
    }
    out.append(text, from, std::u16string::npos);
    return out;
}

// A date value from a client is stored as it is, but only if it is one: a
// value outside the calendar could not be shown or stepped through later.
double checkedDate(const Variant& value)
{
    return automation::date::checked(value.date());
}

}  // namespace

void TimeWindow::letStartTime(const Variant& varDate)
{
    const Variant& value = varDate.dereferenced();
    double& start = process_.SessionSettings.StartTime;
    if (value.vt() == automation::code(VarType::String)) {
        const std::u16string offset = withoutAll(withoutAll(value.string(), u"NOW"), u"M");
        const std::int32_t minutes = automation::toI4(Variant(offset), process_.regional);
        const double now = automation::date::now(process_.clock);
        start = automation::date::addSeconds(now, std::int64_t{minutes} * 60);
    } else if (value.vt() == automation::code(VarType::Date)) {
        start = checkedDate(value);
    }
    process_.console.setText(Control::labelStartTime, automation::date::formatLongStamp(start, process_.regional));
}

void TimeWindow::letEndTime(const Variant& varDate)
{
    const Variant& value = varDate.dereferenced();
    double& end = process_.SessionSettings.EndTime;
    if (value.vt() == automation::code(VarType::String))
        end = automation::date::now(process_.clock);
    else if (value.vt() == automation::code(VarType::Date))
        end = checkedDate(value);
    process_.console.setText(Control::labelEndTime, automation::date::formatLongStamp(end, process_.regional));
}

}  // namespace corvane

// Put0: a client's write to a tag, and its line in the write log.
#include "tags/Tag.h"

#include "automation/AutomationDate.h"
#include "automation/Convert.h"
#include "automation/DateFormat.h"
#include "automation/NumberText.h"
#include "server/GridRefresh.h"
#include "server/OperatorConsole.h"
#include "server/ServerProcess.h"

namespace corvane {

void Tag::Put0(const automation::Variant& varVal, const automation::Variant& /*varTime*/,
               const automation::Variant& varConfidence)
{
    // The confidence comes first, so a bad value leaves it set: clients have
    // always seen that order.
    if (varConfidence.dereferenced().isMissing())
        Confidence_ = 100;
    else
        setConfidence(automation::toI4(varConfidence, process_.regional));
    PV_ = automation::toR4(varVal, process_.regional);

    std::u16string line = automation::date::formatTimeOfDay(automation::date::now(process_.clock));
    line += u": ";
    line += TagName_;
    line += u" = ";
    automation::number::appendSingle(line, PV_, process_.regional);
    line += u"\r\n";
    process_.console.appendText(Control::txtWriteLog, line);

    RefreshTagData(process_);
}

}  // namespace corvane

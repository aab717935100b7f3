#include "GridEditCommit.h"

#include "automation/AutomationError.h"
#include "automation/Rounding.h"
#include "server/GridEditValue.h"
#include "server/OperatorConsole.h"
#include "server/ServerProcess.h"
#include "session/Data.h"
#include "tags/Tags.h"

#include <cmath>

namespace corvane {

void GridEditCommit::gridEditCommitted(std::int32_t row, std::int32_t editColumn, std::u16string_view typedText)
{
    const double value = GridEditValue(typedText, process_.regional);
    // A number beyond the single range (1E+39) cannot become a tag value; the
    // edit is then dropped like every other failure, rather than storing infinity.
    const auto single = static_cast<float>(value);
    if (std::isinf(single)) return;
    UpdateTagData(row, editColumn, single);
}

void GridEditCommit::UpdateTagData(std::int32_t row, std::int32_t nEditCol, float value)
{
    if (nEditCol != 1 && nEditCol != 2) return;
    try {
        const std::u16string name = process_.console.grid().textMatrix(row, 0);
        const automation::Ref<Data> session = process_.currentSession();
        if (!session) return;
        const automation::Ref<Tag> tag = session->Tags()->Item(automation::Variant(name));
        if (nEditCol == 1) {
            tag->setPV(value);
        } else if (const auto confidence = automation::roundToInteger<std::int32_t>(value)) {
            tag->setConfidence(*confidence);
        }
    } catch (const automation::AutomationError&) {
        // The operator's edit simply does not reach a tag that is not there.
    }
}

}  // namespace corvane

#include "TagReadRequest.h"

#include "JetText.h"
#include "SnapshotRecordset.h"
#include "automation/AutomationError.h"

#include <new>

namespace corvane::jet {

std::optional<TagReadAnswer> answerRequest(const std::vector<std::string>& arguments, TagConnection& connection,
                                           const std::function<std::string(std::u16string_view table)>& dump)
{
    const bool dumping = arguments.size() == 3 && arguments[0] == "--dump";
    if (arguments.size() != 1 && arguments.size() != 3) return std::nullopt;
    TagReadAnswer answer;
    try {
        connection.open(fromUtf8(arguments[dumping ? 1 : 0]));
        if (dumping) {
            answer.dump = dump(fromUtf8(arguments[2]));
        } else if (arguments.size() == 1) {
            answer.tableNames = connection.tableNames();
        } else {
            auto recordset = connection.createRecordset();
            recordset->open(fromUtf8(arguments[1]), fromUtf8(arguments[2]));
            // Our record sets hold the table whole: hand those rows over
            // rather than copy them value by value.
            auto& snapshot = dynamic_cast<SnapshotRecordset&>(*recordset);
            TagReadAnswer::Table table;
            table.fieldNames = snapshot.fieldNames();
            table.rows = snapshot.takeRows();
            answer.table = std::move(table);
        }
    } catch (const automation::AutomationError& error) {
        answer.failure = TagReadAnswer::Failure{error.hresult(), error.description()};
    } catch (const std::bad_alloc&) {
        const auto error = automation::AutomationError::fromNumber(automation::error::kOutOfMemory);
        answer.failure = TagReadAnswer::Failure{error.hresult(), error.description()};
    }
    return answer;
}

}  // namespace corvane::jet

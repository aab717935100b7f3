#include "TagReader.h"

#include "ChildProcess.h"
#include "JetText.h"
#include "automation/AutomationError.h"
#include "server/DataLayerErrors.h"

namespace corvane::jet {

TagReadAnswer TagReader::ask(const std::u16string& path, const std::vector<std::string>& arguments) const
{
    const ChildOutcome outcome = runChild(program_, arguments, limits_.timeout, limits_.maxAnswer);
    switch (outcome.end) {
    case ChildOutcome::End::NotStarted:
        throw automation::AutomationError(data_layer::kFileError, u"The tag database reader '" +
                                                                      fromUtf8(program_.string()) +
                                                                      u"' cannot be started.");
    case ChildOutcome::End::TooMuchOutput:
        throw automation::AutomationError::fromNumber(automation::error::kOutOfMemory);
    case ChildOutcome::End::Exited:
        if (outcome.exitCode == 0) {
            std::optional<TagReadAnswer> answer = decodeAnswer(outcome.answer);
            if (!answer) break;
            if (answer->failure) throw automation::AutomationError(answer->failure->hresult, answer->failure->description);
            return std::move(*answer);
        }
        break;
    case ChildOutcome::End::Crashed:
    case ChildOutcome::End::TimedOut:
        break;
    }
    // The file made the reader fault, loop or talk nonsense: it is no
    // database the server can read.
    throw data_layer::unrecognizedFormat(path);
}

std::vector<std::u16string> TagReader::tableNames(const std::u16string& path) const
{
    TagReadAnswer answer = ask(path, {toUtf8(path)});
    if (!answer.tableNames) throw data_layer::unrecognizedFormat(path);
    return std::move(*answer.tableNames);
}

TagReadAnswer::Table TagReader::table(const std::u16string& path, std::u16string_view table,
                                      std::u16string_view index) const
{
    TagReadAnswer answer = ask(path, {toUtf8(path), toUtf8(table), toUtf8(index)});
    if (!answer.table) throw data_layer::unrecognizedFormat(path);
    for (const auto& row : answer.table->rows)
        if (row.size() != answer.table->fieldNames.size()) throw data_layer::unrecognizedFormat(path);
    return std::move(*answer.table);
}

}  // namespace corvane::jet

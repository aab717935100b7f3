#include "TagReader.h"

#include "ChildProcess.h"
#include "JetText.h"
#include "automation/AutomationError.h"
#include "server/DataLayerErrors.h"

#include <iostream>

namespace corvane::jet {

std::chrono::milliseconds ReaderLimits::timeoutFor(std::uintmax_t fileBytes) const
{
    return baseTimeout + timeoutPerMebibyte * static_cast<std::int64_t>(fileBytes >> 20);
}

TagReader::TagReader(std::filesystem::path program, ReaderLimits limits, MessageSink messages)
    : program_(std::move(program)), limits_(limits), messages_(std::move(messages))
{
    if (!messages_) {
        // The server's log is its standard error.
        messages_ = [](const std::string& summary) { std::cerr << "corvanesim-tagread wrote " << summary << std::endl; };
    }
}

TagReadAnswer TagReader::ask(const std::u16string& path, const std::vector<std::string>& arguments) const
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(std::filesystem::path(path), error);
    const ChildOutcome outcome =
        runChild(program_, arguments, limits_.timeoutFor(error ? 0 : size), limits_.maxAnswer, limits_.maxMessages);
    if (outcome.messages.bytes() > 0) messages_(outcome.messages.summary());
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
    case ChildOutcome::End::TooManyMessages:
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

std::string TagReader::dump(const std::u16string& path, std::u16string_view table) const
{
    TagReadAnswer answer = ask(path, {"--dump", toUtf8(path), toUtf8(table)});
    if (!answer.dump) throw data_layer::unrecognizedFormat(path);
    return std::move(*answer.dump);
}

}  // namespace corvane::jet

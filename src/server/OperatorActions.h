#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane {

// What the operator does in the windows and sees there, for programs that
// steer a server nobody watches (a test run, a CI job). Every action goes
// through the window's own handling of the click or keystroke it stands for,
// so the window shows it and follows the same rules as when the operator does
// it. Reading never changes the window; an action or a read may load frmMain,
// which does not show it.
class OperatorActions {
public:
    // Grid cells row by row, the caption row first; each row column 0 first.
    using Rows = std::vector<std::vector<std::u16string>>;
    // Control name and what it shows, in the window's order.
    using Labels = std::vector<std::pair<std::u16string, std::u16string>>;
    // Told the text that was added each time the write log grows at its end.
    using WriteLogListener = std::function<void(std::u16string_view added)>;

    virtual ~OperatorActions() = default;

    // A click on chkSineWave, unless it already is so.
    virtual void setSineWave(bool checked) = 0;
    // The text of txtPeriod or txtTimeError selected and replaced, as typed.
    virtual void typePeriod(std::u16string_view text) = 0;
    virtual void typeTimeError(std::u16string_view text) = 0;
    // A click on the cell (committing an edit left open), a double-click,
    // `text` typed over the cell's text, and Enter. False, with nothing done,
    // when (row, column) is no cell the operator can make current: a data row
    // in column 1 or 2.
    virtual bool editCell(std::int32_t row, std::int32_t column, std::u16string_view text) = 0;
    // A click on btnClearWriteLog.
    virtual void clearWriteLog() = 0;
    // Answers the exit question that is open, or else the next one to come.
    virtual void answerExitQuestion(bool yes) = 0;
    virtual bool exitQuestionOpen() const = 0;

    virtual std::u16string writeLog() const = 0;
    virtual Rows gridRows() const = 0;
    // The texts that clients and the synthesis echo, the settings, the check
    // box's Value ("1" or "0") and the fetch indicator ("Fetch" or "").
    virtual Labels labels() const = 0;
    // The text of frmData; empty while frmData is not loaded.
    virtual std::u16string dataListing() const = 0;

    // One listener; a later one replaces it. It must not throw.
    virtual void setWriteLogListener(WriteLogListener listener) = 0;
};

}  // namespace corvane

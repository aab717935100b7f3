#pragma once

#include "server/OperatorActions.h"
#include "server/OperatorConsole.h"
#include "ui/ExitQuestionAnswers.h"

#include <QPointer>

namespace corvane::ui {

class MainWindow;
class QtOperatorConsole;
class WriteLogWatch;

// The operator's actions on the Qt windows: each one drives the widgets as
// the operator's click or keystroke does (a click on the check box or the
// button, text typed into a box, keys in the cell editor), so the window's
// own handlers do the work.
class QtOperatorActions final : public OperatorActions {
public:
    explicit QtOperatorActions(QtOperatorConsole& console);
    ~QtOperatorActions() override;
    QtOperatorActions(const QtOperatorActions&) = delete;
    QtOperatorActions& operator=(const QtOperatorActions&) = delete;

    void setSineWave(bool checked) override;
    void typePeriod(std::u16string_view text) override;
    void typeTimeError(std::u16string_view text) override;
    bool editCell(std::int32_t row, std::int32_t column, std::u16string_view text) override;
    void clearWriteLog() override;
    void answerExitQuestion(bool yes) override;
    bool exitQuestionOpen() const override;

    std::u16string writeLog() const override;
    Rows gridRows() const override;
    Labels labels() const override;
    std::u16string dataListing() const override;

    void setWriteLogListener(WriteLogListener listener) override;

    // Also where the tests' standing answer goes.
    ExitQuestionAnswers& exitQuestionAnswers() { return exitAnswers_; }

private:
    MainWindow& window() const;
    void typeInto(Control box, std::u16string_view text);

    QtOperatorConsole& console_;
    ExitQuestionAnswers exitAnswers_;
    WriteLogListener writeLogListener_;
    // Lives with the log, which may outlive these actions.
    QPointer<WriteLogWatch> writeLogWatch_;
};

}  // namespace corvane::ui

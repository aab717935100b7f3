#pragma once

#include "server/OperatorConsole.h"
#include "ui/DataWindowSlot.h"

#include <functional>
#include <memory>

class QWidget;

namespace corvane {
class ConsoleEvents;
}

namespace corvane::ui {

class MainWindow;

// The operator console over the Qt windows: frmMain is created on first use,
// frmData on first use and again after the operator has closed it.
class QtOperatorConsole final : public OperatorConsole {
public:
    QtOperatorConsole();
    ~QtOperatorConsole() override;
    QtOperatorConsole(const QtOperatorConsole&) = delete;
    QtOperatorConsole& operator=(const QtOperatorConsole&) = delete;

    void showMainWindow() override;
    bool requestUnload() override;

    std::u16string text(Control control) const override;
    void setText(Control control, std::u16string_view text) override;
    void appendText(Control control, std::u16string_view more) override;

    int sineWaveValue() const override;
    void dataFetch() override;
    bool dataWindowVisible() override;

    GridControl& grid() override;

    // Where the windows hand the operator's grid edits; may be set before or
    // after the main window is loaded.
    void setConsoleEvents(ConsoleEvents* events);

    MainWindow& mainWindow() const;
    bool isMainWindowLoaded() const { return mainWindow_ != nullptr; }
    // Runs `then` on the main window once it is loaded: at once if it is.
    void whenMainWindowLoaded(std::function<void(MainWindow&)> then);
    DataWindowSlot& dataWindow() { return dataWindow_; }

private:
    QWidget& controlWidget(Control control) const;

    // Declared first so that it outlives the main window, which refers to it.
    mutable DataWindowSlot dataWindow_;
    mutable std::unique_ptr<MainWindow> mainWindow_;
    ConsoleEvents* events_ = nullptr;
    std::function<void(MainWindow&)> loaded_;
};

}  // namespace corvane::ui

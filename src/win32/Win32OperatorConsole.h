#pragma once

#include "server/OperatorConsole.h"
#include "win32/DataWindowSlot.h"

#include <memory>

namespace corvane {
class ConsoleEvents;
}

namespace corvane::win32 {

class MainWindow;

// The operator console over the Win32 windows: frmMain is created on first
// use, frmData on first use and again after the operator has closed it.
class Win32OperatorConsole final : public OperatorConsole {
public:
    Win32OperatorConsole();
    ~Win32OperatorConsole() override;
    Win32OperatorConsole(const Win32OperatorConsole&) = delete;
    Win32OperatorConsole& operator=(const Win32OperatorConsole&) = delete;

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
    DataWindowSlot& dataWindow() { return dataWindow_; }

private:
    HWND controlWindow(Control control) const;

    // Declared first so that it outlives the main window, which refers to it.
    mutable DataWindowSlot dataWindow_;
    mutable std::unique_ptr<MainWindow> mainWindow_;
    ConsoleEvents* events_ = nullptr;
};

}  // namespace corvane::win32

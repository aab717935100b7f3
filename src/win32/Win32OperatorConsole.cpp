#include "win32/Win32OperatorConsole.h"

#include "win32/MainWindow.h"
#include "win32/WindowText.h"

namespace corvane::win32 {

namespace {

bool isMultiLine(HWND control) {
    wchar_t kind[8] = {};
    GetClassNameW(control, kind, 8);
    return lstrcmpiW(kind, L"Edit") == 0 && (GetWindowLongW(control, GWL_STYLE) & ES_MULTILINE) != 0;
}

}  // namespace

Win32OperatorConsole::Win32OperatorConsole() = default;

Win32OperatorConsole::~Win32OperatorConsole() = default;

MainWindow& Win32OperatorConsole::mainWindow() const {
    if (mainWindow_ == nullptr) {
        mainWindow_ = std::make_unique<MainWindow>(dataWindow_);
        mainWindow_->setConsoleEvents(events_);
    }
    return *mainWindow_;
}

void Win32OperatorConsole::setConsoleEvents(ConsoleEvents* events) {
    events_ = events;
    if (mainWindow_ != nullptr) {
        mainWindow_->setConsoleEvents(events);
    }
}

void Win32OperatorConsole::showMainWindow() {
    mainWindow().show();
}

bool Win32OperatorConsole::requestUnload() {
    // A window that was never loaded unloads without a question.
    if (mainWindow_ == nullptr) {
        return true;
    }
    return mainWindow_->requestUnload();
}

HWND Win32OperatorConsole::controlWindow(Control control) const {
    if (control == Control::txtData) {
        return dataWindow_.window().txtData();
    }
    return mainWindow().control(control);
}

std::u16string Win32OperatorConsole::text(Control control) const {
    return windowText(controlWindow(control));
}

void Win32OperatorConsole::setText(Control control, std::u16string_view text) {
    HWND window = controlWindow(control);
    if (isMultiLine(window)) {
        setMultiLineText(window, text);
    } else {
        setWindowText(window, text);
    }
}

void Win32OperatorConsole::appendText(Control control, std::u16string_view more) {
    HWND window = controlWindow(control);
    if (isMultiLine(window)) {
        appendMultiLineText(window, more);
    } else {
        setWindowText(window, windowText(window) + std::u16string(more));
    }
}

int Win32OperatorConsole::sineWaveValue() const {
    // Unchecked, checked and greyed are 0, 1 and 2, as the check box's Value.
    return static_cast<int>(SendMessageW(mainWindow().controlNamed(L"chkSineWave"), BM_GETCHECK, 0, 0));
}

void Win32OperatorConsole::dataFetch() {
    mainWindow().dataFetch();
}

bool Win32OperatorConsole::dataWindowVisible() {
    return IsWindowVisible(dataWindow_.window().handle()) != FALSE;
}

GridControl& Win32OperatorConsole::grid() {
    return mainWindow().gridData();
}

}  // namespace corvane::win32

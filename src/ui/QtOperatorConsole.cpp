#include "ui/QtOperatorConsole.h"

#include "ui/ControlText.h"
#include "ui/DataWindow.h"
#include "ui/MainWindow.h"
#include "ui/QtText.h"
#include "ui/TextGrid.h"

#include <QCheckBox>
#include <QPlainTextEdit>

namespace corvane::ui {

QtOperatorConsole::QtOperatorConsole() = default;

QtOperatorConsole::~QtOperatorConsole() = default;

MainWindow& QtOperatorConsole::mainWindow() const {
    if (mainWindow_ == nullptr) {
        mainWindow_ = std::make_unique<MainWindow>(dataWindow_);
        mainWindow_->setConsoleEvents(events_);
        if (loaded_) {
            loaded_(*mainWindow_);
        }
    }
    return *mainWindow_;
}

void QtOperatorConsole::whenMainWindowLoaded(std::function<void(MainWindow&)> then) {
    loaded_ = std::move(then);
    if (loaded_ && mainWindow_ != nullptr) {
        loaded_(*mainWindow_);
    }
}

void QtOperatorConsole::setConsoleEvents(ConsoleEvents* events) {
    events_ = events;
    if (mainWindow_ != nullptr) {
        mainWindow_->setConsoleEvents(events);
    }
}

void QtOperatorConsole::showMainWindow() {
    mainWindow().show();
}

bool QtOperatorConsole::requestUnload() {
    // A window that was never loaded unloads without a question.
    if (mainWindow_ == nullptr) {
        return true;
    }
    return mainWindow_->requestUnload();
}

QWidget& QtOperatorConsole::controlWidget(Control control) const {
    if (control == Control::txtData) {
        return dataWindow_.window().txtData();
    }
    return mainWindow().control(control);
}

std::u16string QtOperatorConsole::text(Control control) const {
    return toU16(controlText(controlWidget(control)));
}

void QtOperatorConsole::setText(Control control, std::u16string_view text) {
    setControlText(controlWidget(control), toQString(text));
}

void QtOperatorConsole::appendText(Control control, std::u16string_view more) {
    appendControlText(controlWidget(control), toQString(more));
}

int QtOperatorConsole::sineWaveValue() const {
    switch (mainWindow().chkSineWave().checkState()) {
    case Qt::Unchecked:
        return 0;
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    }
    return 0;
}

void QtOperatorConsole::dataFetch() {
    mainWindow().dataFetch();
}

bool QtOperatorConsole::dataWindowVisible() {
    return dataWindow_.window().isVisible();
}

GridControl& QtOperatorConsole::grid() {
    return mainWindow().gridData();
}

}  // namespace corvane::ui

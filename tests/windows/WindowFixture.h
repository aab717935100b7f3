#pragma once

#include "SyntheticInput.h"
#include "win32/MainWindow.h"
#include "win32/Win32OperatorConsole.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane::win32::test {

// The operator console with frmMain shown and active, as after server start.
class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override;

    MainWindow& window() const { return console.mainWindow(); }
    HWND control(const wchar_t* name) const;
    // The name of the control with the keyboard focus.
    std::string focusedControlName() const;

    // The centre of a control, or of a rectangle in the main window's client
    // area, on the screen.
    POINT screenCentre(HWND control) const;
    POINT screenCentre(int left, int top, int width, int height) const;
    void clickControl(const wchar_t* name) const { SyntheticInput::click(screenCentre(control(name))); }

    mutable Win32OperatorConsole console;
};

}  // namespace corvane::win32::test

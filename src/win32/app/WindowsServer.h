#pragma once

#include "automation/RegionalSettings.h"
#include "server/GridEditCommit.h"
#include "server/ServerProcess.h"
#include "server/TagStore.h"
#include "win32/Win32OperatorConsole.h"
#include "win32/WindowsClock.h"
#include "win32/SystemRegionalSettings.h"

#include <string>

namespace corvane::win32 {

// The server process of the Windows build wired together: the system clock
// and regional settings, the tag store over the given data layer in the
// executable's folder, the Win32 windows and the object model.
class WindowsServer final {
public:
    WindowsServer(TagDataLayer& dataLayer, const std::u16string& executableFolder);
    WindowsServer(const WindowsServer&) = delete;
    WindowsServer& operator=(const WindowsServer&) = delete;

    // Shows the operator window, as the server's start does.
    void showWindow() { console_.showMainWindow(); }

    ServerProcess& process() { return process_; }
    Win32OperatorConsole& console() { return console_; }

    // The folder this executable was started from, without a separator at the end.
    static std::u16string executableFolder();

private:
    WindowsClock clock_;
    automation::FixedRegionalSettings regional_ = systemRegionalSettings();
    TagStore tagStore_;
    Win32OperatorConsole console_;
    ServerProcess process_;
    GridEditCommit gridEdits_;
};

}  // namespace corvane::win32

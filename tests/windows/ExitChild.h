#pragma once

#include <windows.h>

#include <string>

namespace corvane::win32::test {

// The exit question answered Yes ends the process, so those cases run in a
// child: this test program started again with one of these arguments.
inline constexpr wchar_t kUnloadAnsweredYes[] = L"--exit-child=unload-yes";
inline constexpr wchar_t kCloseBoxAnsweredYes[] = L"--exit-child=close-box-yes";

// Runs the scenario named on the command line, if any, and returns the exit
// code to use if the process is still alive afterwards; -1 for none named.
// Prints "asking" just before the question; code after the question, any
// destructor or exit handler prints a line of its own.
int runExitChildScenario();

struct ChildOutcome {
    bool ended = false;
    DWORD exitCode = 0;
    std::string output;  // standard output and error
};

// Starts this program with `scenario`, the test hook's answer set, and waits
// for it to end.
ChildOutcome runExitChild(const wchar_t* scenario);

}  // namespace corvane::win32::test

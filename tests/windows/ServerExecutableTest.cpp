// corvanesim.exe as the operator starts it.
#include "win32/ExitQuestion.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace corvane::win32::test {
namespace {

struct FoundWindow {
    DWORD process;
    HWND window = nullptr;
};

BOOL CALLBACK findMainWindow(HWND window, LPARAM lParam) {
    auto* found = reinterpret_cast<FoundWindow*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t kind[32] = {};
    GetClassNameW(window, kind, 32);
    if (owner == found->process && std::wstring_view(kind) == L"CorvaneSim.frmMain") {
        found->window = window;
        return FALSE;
    }
    return TRUE;
}

TEST(ServerExecutable, ShowsTheOperatorWindowAndEndsWhenTheExitQuestionIsAnsweredYes) {
    std::wstring commandLine = L"\"" CORVANE_SERVER_EXE L"\"";
    STARTUPINFOW start{};
    start.cb = sizeof(start);
    PROCESS_INFORMATION process{};
    SetEnvironmentVariableW(kExitAnswerVariable, L"yes");
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &process));
    SetEnvironmentVariableW(kExitAnswerVariable, nullptr);

    // Idle in its message loop: the window is up.
    EXPECT_EQ(WaitForInputIdle(process.hProcess, 60000), 0u);
    FoundWindow found{process.dwProcessId};
    EnumWindows(&findMainWindow, reinterpret_cast<LPARAM>(&found));
    ASSERT_NE(found.window, nullptr);
    wchar_t caption[64] = {};
    GetWindowTextW(found.window, caption, 64);
    EXPECT_STREQ(caption, L"Corvane Emulator");
    EXPECT_TRUE(IsWindowVisible(found.window));

    PostMessageW(found.window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    TerminateProcess(process.hProcess, 99);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace
}  // namespace corvane::win32::test

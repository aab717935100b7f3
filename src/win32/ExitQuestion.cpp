#include "win32/ExitQuestion.h"

#include "win32/MessageBoxAnswerer.h"

#include <cstdio>
#include <memory>
#include <string>

namespace corvane::win32 {

namespace {

// IDYES or IDNO when the test hook asks for an answer, 0 otherwise.
int testAnswer() {
    wchar_t value[8] = {};
    const DWORD length = GetEnvironmentVariableW(kExitAnswerVariable, value, 8);
    if (length == 0 || length >= 8) {
        return 0;
    }
    if (lstrcmpiW(value, L"yes") == 0) {
        return IDYES;
    }
    return lstrcmpiW(value, L"no") == 0 ? IDNO : 0;
}

}  // namespace

bool confirmExitOrEndProcess(HWND mainWindow) {
    wchar_t title[256] = {};
    GetWindowTextW(mainWindow, title, 256);
    std::unique_ptr<MessageBoxAnswerer> hook;
    if (const int answer = testAnswer()) {
        hook = std::make_unique<MessageBoxAnswerer>(answer);
        std::fprintf(stderr, "corvanesim test hook: exit question answered %s\n", answer == IDYES ? "Yes" : "No");
        std::fflush(stderr);
    }
    const int answer = MessageBoxW(mainWindow, L"Do you really want to exit the application?", title,
                                   MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1 | MB_APPLMODAL);
    if (answer != IDYES) {
        return false;
    }
    // Clients may still hold objects; their server simply goes away. No
    // object's termination code, exit handler or DLL detach runs, so nothing
    // can wait on a client that will never answer.
    TerminateProcess(GetCurrentProcess(), 0);
    return false;
}

}  // namespace corvane::win32

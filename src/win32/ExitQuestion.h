#pragma once

#include <windows.h>

namespace corvane::win32 {

// The question asked before the main window unloads, whatever asked for the
// unload. Returns false when the operator answers No. On Yes the process ends
// at once: nothing else runs and nothing is waited on, not even the clients
// that still hold objects.
bool confirmExitOrEndProcess(HWND mainWindow);

// TEST HOOK, for the end-to-end tests only: when CORVANESIM_TEST_EXIT_ANSWER
// is "yes" or "no", the question is answered so the moment it shows, and a
// line on standard error tells the test that it was. An operator never sets
// it; without it the question waits for the operator.
inline constexpr wchar_t kExitAnswerVariable[] = L"CORVANESIM_TEST_EXIT_ANSWER";

}  // namespace corvane::win32

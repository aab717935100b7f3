#include "ExitChild.h"

#include "SyntheticInput.h"
#include "win32/ExitQuestion.h"
#include "win32/MainWindow.h"
#include "win32/Win32OperatorConsole.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace corvane::win32::test {

namespace {

void say(const char* line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
}

struct TerminationWitness {
    ~TerminationWitness() { say("destructor ran"); }
};

std::wstring scenarioArgument() {
    const std::wstring_view commandLine = GetCommandLineW();
    for (const wchar_t* scenario : {kUnloadAnsweredYes, kCloseBoxAnsweredYes}) {
        if (commandLine.find(scenario) != std::wstring_view::npos) {
            return scenario;
        }
    }
    return {};
}

}  // namespace

int runExitChildScenario() {
    const std::wstring scenario = scenarioArgument();
    if (scenario.empty()) {
        return -1;
    }
    std::atexit([] { say("exit handler ran"); });
    static TerminationWitness witness;
    Win32OperatorConsole console;
    console.showMainWindow();
    SyntheticInput::settle();
    say("asking");
    if (scenario == kUnloadAnsweredYes) {
        console.requestUnload();
    } else {
        SendMessageW(console.mainWindow().handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    say("still running");
    return 3;
}

ChildOutcome runExitChild(const wchar_t* scenario) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    wchar_t outputPath[MAX_PATH] = {};
    GetTempFileNameW(folder, L"cvx", 0, outputPath);

    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE output = CreateFileW(outputPath, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOW start{};
    start.cb = sizeof(start);
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    start.hStdOutput = output;
    start.hStdError = output;
    std::wstring commandLine = std::wstring(L"\"") + self + L"\" " + scenario;
    SetEnvironmentVariableW(kExitAnswerVariable, L"yes");
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(self, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start,
                                        &process);
    SetEnvironmentVariableW(kExitAnswerVariable, nullptr);
    CloseHandle(output);

    ChildOutcome outcome;
    if (started) {
        outcome.ended = WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0;
        GetExitCodeProcess(process.hProcess, &outcome.exitCode);
        if (!outcome.ended) {
            TerminateProcess(process.hProcess, 99);
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    if (FILE* file = _wfopen(outputPath, L"rb")) {
        char buffer[512];
        std::size_t read = 0;
        while ((read = std::fread(buffer, 1, sizeof(buffer), file)) > 0) {
            outcome.output.append(buffer, read);
        }
        // The C runtime writes its line breaks as CR LF.
        std::erase(outcome.output, '\r');
        std::fclose(file);
    }
    DeleteFileW(outputPath);
    return outcome;
}

}  // namespace corvane::win32::test

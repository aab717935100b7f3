// corvanesim-tagread.exe: the Windows build's reader process, with the same
// arguments and answer as on Linux (TagReadRequest.h), read by our own Jet 4
// reader. Its answer goes to its standard output, which the server holds
// (ChildProcess.h); a file that makes the reader fault or loop ends this
// process and never the server.
#include "JetConnection.h"
#include "JetText.h"
#include "TagReadRequest.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace corvane;

// The arguments as UTF-8, from the wide command line: the narrow one would
// lose every character outside the system's code page.
std::vector<std::string> arguments()
{
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> result;
    for (int i = 1; words && i < count; ++i) {
        const std::wstring word(words[i]);
        result.push_back(jet::toUtf8(std::u16string(word.begin(), word.end())));
    }
    LocalFree(words);
    return result;
}

bool writeAll(const std::string& bytes)
{
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    for (std::size_t at = 0; at < bytes.size();) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - at, 1u << 20));
        if (!WriteFile(out, bytes.data() + at, chunk, &written, nullptr) || written == 0) return false;
        at += written;
    }
    return true;
}

// A fault ends the process at once with its exception code, rather than
// waiting on an error report or a debugger until the server's deadline.
LONG WINAPI endAtFault(EXCEPTION_POINTERS* fault)
{
    TerminateProcess(GetCurrentProcess(), fault->ExceptionRecord->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main()
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    SetUnhandledExceptionFilter(endAtFault);
    jet::JetConnection connection;
    const std::optional<jet::TagReadAnswer> answer = jet::answerRequest(
        arguments(), connection, [&](std::u16string_view table) { return connection.dump(table); });
    if (!answer) return 2;
    const bool written = writeAll(jet::encodeAnswer(*answer));
    std::_Exit(written ? 0 : 1);
}

// corvanesim.exe: the emulator's server on Windows, with its operator window.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "com/WindowsHeaders.h"

#include "IsolatedDataLayer.h"
#include "TagReader.h"
#include "WindowsServer.h"
#include "com/ComServer.h"
#include "com/ServerCommandLine.h"
#include "com/ServerRegistration.h"
#include "win32/MessagePump.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

std::vector<std::wstring> arguments()
{
    int count = 0;
    LPWSTR* list = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> found;
    for (int i = 1; list != nullptr && i < count; ++i) found.emplace_back(list[i]);
    LocalFree(list);
    return found;
}

std::wstring executablePath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) return path.substr(0, length);
        path.resize(path.size() * 2);
    }
}

int registration(const corvane::com::ServerCommandLine& line)
{
    using corvane::com::RegistrationScope;
    const RegistrationScope scope = line.perUser ? RegistrationScope::User : RegistrationScope::Machine;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const HRESULT result = line.action == corvane::com::ServerCommandLine::Action::Register
                               ? corvane::com::registerServer(executablePath(), scope)
                               : corvane::com::unregisterServer(executablePath(), scope);
    CoUninitialize();
    if (FAILED(result)) {
        std::fprintf(stderr, "corvanesim: %s failed: 0x%08lX\n",
                     line.action == corvane::com::ServerCommandLine::Action::Register ? "registration" : "unregistration",
                     static_cast<unsigned long>(result));
        return 1;
    }
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const corvane::com::ServerCommandLine line = corvane::com::ServerCommandLine::parse(arguments());
    if (line.action != corvane::com::ServerCommandLine::Action::Serve) return registration(line);

    // One single-threaded apartment: client calls arrive as messages of the
    // window's own loop, one at a time, between the operator's events.
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    // The tag database is read by our own Jet 4 reader in a process of its
    // own, beside this executable, with the same bounds as on Linux.
    const std::u16string folder = corvane::win32::WindowsServer::executableFolder();
    const std::filesystem::path reader =
        std::filesystem::path(folder) / (std::string(corvane::jet::kTagReaderProgram) + ".exe");
    corvane::jet::IsolatedDataLayer dataLayer{corvane::jet::TagReader(reader)};
    corvane::win32::WindowsServer server(dataLayer, folder);
    corvane::com::ComServer com(server.process());
    // Started for a client, the window shows with the first SimServer; the
    // operator starting it sees it at once.
    if (!line.startedForClient) server.showWindow();
    if (FAILED(com.offerClassObjects())) return 1;
    // The process lives while the main window does; only the exit question
    // ends it, at once and without revoking anything.
    return corvane::win32::MessagePump::run();
}

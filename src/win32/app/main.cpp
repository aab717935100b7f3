// corvanesim.exe: the emulator's server on Windows, with its operator window.
#include "IsolatedDataLayer.h"
#include "TagReader.h"
#include "WindowsServer.h"
#include "win32/MessagePump.h"

#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    // The tag database is read by our own Jet 4 reader in a process of its
    // own, beside this executable, with the same bounds as on Linux.
    const std::u16string folder = corvane::win32::WindowsServer::executableFolder();
    const std::filesystem::path reader =
        std::filesystem::path(folder) / (std::string(corvane::jet::kTagReaderProgram) + ".exe");
    corvane::jet::IsolatedDataLayer dataLayer{corvane::jet::TagReader(reader)};
    corvane::win32::WindowsServer server(dataLayer, folder);
    server.showWindow();
    // The process lives while the main window does; only the exit question
    // ends it.
    return corvane::win32::MessagePump::run();
}

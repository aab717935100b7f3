// corvanesim.exe: the emulator's server on Windows, with its operator window.
#include "PlaceholderDataLayer.h"
#include "WindowsServer.h"
#include "win32/MessagePump.h"

#include <windows.h>
#include <commctrl.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    // The data layer's seam: the Jet 4 reader takes the placeholder's place.
    corvane::win32::PlaceholderDataLayer dataLayer;
    corvane::win32::WindowsServer server(dataLayer, corvane::win32::WindowsServer::executableFolder());
    server.showWindow();
    // The process lives while the main window does; only the exit question
    // ends it.
    return corvane::win32::MessagePump::run();
}

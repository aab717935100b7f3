// Draws the Win32 operator window with a few tags, a query and some writes
// filled in, and saves it as a 24-bit BMP (scripts/windows-screenshot.sh makes
// the PNG of the documentation from it).
//   corvane_windowshot.exe shot.bmp

#include "SampleWindowContents.h"
#include "win32/MainWindow.h"
#include "win32/MessagePump.h"
#include "win32/Win32OperatorConsole.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <vector>

namespace {

bool saveBitmap(HDC dc, HBITMAP bitmap, int width, int height, const char* path) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;  // bottom-up, as files keep it
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const int stride = (width * 3 + 3) & ~3;
    std::vector<unsigned char> pixels(static_cast<std::size_t>(stride) * height);
    GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&header),
              DIB_RGB_COLORS);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE* out = std::fopen(path, "wb");
    if (out == nullptr) {
        return false;
    }
    const bool written = std::fwrite(&file, sizeof(file), 1, out) == 1 && std::fwrite(&header, sizeof(header), 1, out) == 1 &&
                         std::fwrite(pixels.data(), pixels.size(), 1, out) == 1;
    return std::fclose(out) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: corvane_windowshot.exe FILE.bmp\n", stderr);
        return 2;
    }
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    corvane::win32::Win32OperatorConsole console;
    console.showMainWindow();
    corvane::tools::fillInSampleSession(console);
    HWND window = console.mainWindow().handle();
    // The grid has the focus, so that its current cell shows.
    SetFocus(console.mainWindow().gridData().handle());
    corvane::win32::MessagePump::runWaiting();

    RECT bounds{};
    GetWindowRect(window, &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    // Painted now, frame and controls, into the window's own surface, and
    // copied from there.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    HDC screen = GetWindowDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ before = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, before);
    const bool saved = saveBitmap(memory, bitmap, width, height, argv[1]);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    if (!saved) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}

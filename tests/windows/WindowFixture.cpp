#include "WindowFixture.h"

#include <stdexcept>

namespace corvane::win32::test {

void WindowFixture::SetUp() {
    console.showMainWindow();
    // Wholly on the screen, wherever the system put it: the pointer cannot
    // reach a point off the screen.
    SetWindowPos(window().handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetForegroundWindow(window().handle());
    SyntheticInput::settle();
    ASSERT_EQ(GetActiveWindow(), window().handle());
}

HWND WindowFixture::control(const wchar_t* name) const {
    HWND found = window().controlNamed(name);
    if (found == nullptr) {
        throw std::runtime_error("no such control");
    }
    return found;
}

std::string WindowFixture::focusedControlName() const {
    const std::wstring name = window().nameOf(GetFocus());
    return {name.begin(), name.end()};
}

POINT WindowFixture::screenCentre(HWND of) const {
    RECT bounds{};
    GetWindowRect(of, &bounds);
    return {(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
}

POINT WindowFixture::screenCentre(int left, int top, int width, int height) const {
    POINT centre{left + width / 2, top + height / 2};
    ClientToScreen(window().handle(), &centre);
    return centre;
}

}  // namespace corvane::win32::test

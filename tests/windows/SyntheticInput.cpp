#include "SyntheticInput.h"

#include "win32/MessagePump.h"

#include <vector>

namespace corvane::win32::test {

namespace {

INPUT mouseButton(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

// A move of the pointer to a point on the screen, in the 0..65535 range that
// absolute moves take, rounded so that it maps back onto the same pixel.
INPUT moveInput(POINT at) {
    const LONG width = GetSystemMetrics(SM_CXSCREEN);
    const LONG height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = mouseButton(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
    input.mi.dx = static_cast<LONG>((static_cast<long long>(at.x) * 65536 + width - 1) / width);
    input.mi.dy = static_cast<LONG>((static_cast<long long>(at.y) * 65536 + height - 1) / height);
    return input;
}

INPUT keyStroke(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_DELETE:
        input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
        break;
    default:
        break;
    }
    return input;
}

void send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    SyntheticInput::settle();
}

}  // namespace

void SyntheticInput::settle() {
    // Two empty looks in a row: handling the last message may have posted more.
    for (int quiet = 0; quiet < 2;) {
        if (HIWORD(GetQueueStatus(QS_ALLINPUT)) == 0) {
            ++quiet;
        } else {
            quiet = 0;
        }
        MessagePump::runWaiting();
    }
}

void SyntheticInput::moveTo(POINT at) {
    send({moveInput(at)});
}

void SyntheticInput::click(POINT at) {
    send({moveInput(at), mouseButton(MOUSEEVENTF_LEFTDOWN), mouseButton(MOUSEEVENTF_LEFTUP)});
}

void SyntheticInput::doubleClick(POINT at) {
    send({moveInput(at), mouseButton(MOUSEEVENTF_LEFTDOWN), mouseButton(MOUSEEVENTF_LEFTUP), mouseButton(MOUSEEVENTF_LEFTDOWN),
          mouseButton(MOUSEEVENTF_LEFTUP)});
}

void SyntheticInput::wheel(POINT at, int notches) {
    INPUT input = mouseButton(MOUSEEVENTF_WHEEL);
    input.mi.mouseData = static_cast<DWORD>(notches * WHEEL_DELTA);
    send({moveInput(at), input});
}

void SyntheticInput::press(WORD key, bool shift) {
    std::vector<INPUT> inputs;
    if (shift) {
        inputs.push_back(keyStroke(VK_SHIFT, false));
    }
    inputs.push_back(keyStroke(key, false));
    inputs.push_back(keyStroke(key, true));
    if (shift) {
        inputs.push_back(keyStroke(VK_SHIFT, true));
    }
    send(inputs);
}

void SyntheticInput::type(const char* text) {
    for (const char* c = text; *c != '\0'; ++c) {
        const SHORT mapped = VkKeyScanW(static_cast<wchar_t>(*c));
        if (mapped == -1) {
            // Not on the layout: the character itself, as an input method sends it.
            INPUT down{};
            down.type = INPUT_KEYBOARD;
            down.ki.wScan = static_cast<WORD>(*c);
            down.ki.dwFlags = KEYEVENTF_UNICODE;
            INPUT up = down;
            up.ki.dwFlags |= KEYEVENTF_KEYUP;
            send({down, up});
            continue;
        }
        press(LOBYTE(mapped), (HIBYTE(mapped) & 1) != 0);
    }
}

}  // namespace corvane::win32::test

#include "win32/MainWindow.h"

#include "win32/DataWindowSlot.h"
#include "win32/ExitQuestion.h"
#include "win32/GdiFont.h"
#include "win32/Twips.h"
#include "win32/WindowClass.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace corvane::win32 {

namespace {

constexpr wchar_t kClassName[] = L"CorvaneSim.frmMain";
constexpr UINT kFetchInterval = 250;

// One line, clipped at the label's edge rather than wrapped.
constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX;
constexpr DWORD kTextBox = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

// The controls in the order of the keyboard focus.
constexpr const wchar_t* kFocusOrder[] = {L"txtUserName", L"txtPassword",   L"gridData",
                                          L"txtEditInput", L"txtPeriod",    L"cmdData",
                                          L"txtTesselHost", L"txtTimeError", L"chkSineWave",
                                          L"txtWriteLog",  L"btnClearWriteLog"};

RECT placeOf(HWND control) {
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

LONG textWidth(HWND control) {
    const std::wstring text = [&] {
        std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
        caption.resize(static_cast<std::size_t>(GetWindowTextW(control, caption.data(), static_cast<int>(caption.size()))));
        return caption;
    }();
    HDC dc = GetDC(control);
    HGDIOBJ before = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, before);
    ReleaseDC(control, dc);
    return extent.cx;
}

bool isOneLineTextBox(HWND control) {
    wchar_t kind[8] = {};
    GetClassNameW(control, kind, 8);
    return lstrcmpiW(kind, L"Edit") == 0 && (GetWindowLongW(control, GWL_STYLE) & ES_MULTILINE) == 0;
}

}  // namespace

MainWindow::MainWindow(DataWindowSlot& dataWindow) : dataWindow_(dataWindow) {
    static const WindowClass windowClass(kClassName, &MainWindow::windowProc);
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    RECT frame{0, 0, twipsToPixels(9000), twipsToPixels(5820)};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    window_ = CreateWindowExW(0, kClassName, L"Corvane Emulator", style, CW_USEDEFAULT, CW_USEDEFAULT,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                              GetModuleHandleW(nullptr), this);
    if (window_ == nullptr) {
        throw std::runtime_error("cannot create the main window: error " + std::to_string(GetLastError()));
    }
    createControls();
    load();
    lastFocus_ = controlNamed(L"txtUserName");
    MessagePump::setFilter(this);
}

MainWindow::~MainWindow() {
    MessagePump::setFilter(nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

HWND MainWindow::addControl(std::wstring name, const wchar_t* kind, const wchar_t* text, DWORD style,
                            const RECT& place) {
    HWND control = CreateWindowExW(0, kind, text, style, place.left, place.top, place.right - place.left,
                                   place.bottom - place.top, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GdiFont::dialog().handle()), FALSE);
    if (std::wstring_view(kind) == L"EDIT") {
        // No limit short of memory: the write log only grows.
        SendMessageW(control, EM_SETLIMITTEXT, 0, 0);
    }
    controls_.emplace(std::move(name), control);
    return control;
}

void MainWindow::fitCaptions() {
    // A caption wider than its box in the font at hand gets the room it needs,
    // up to the next control on its right: the layout is kept, the caption is
    // clipped only where the layout has no room for it.
    RECT client{};
    GetClientRect(window_, &client);
    for (const auto& [name, label] : controls_) {
        if (!name.starts_with(L"Label")) {
            continue;
        }
        const RECT place = placeOf(label);
        LONG limit = client.right;
        for (const auto& [otherName, other] : controls_) {
            const RECT beside = placeOf(other);
            if (other != label && beside.left >= place.right && beside.top < place.bottom && beside.bottom > place.top) {
                limit = std::min(limit, beside.left);
            }
        }
        const LONG wanted = place.left + textWidth(label);
        if (wanted > place.right) {
            SetWindowPos(label, nullptr, 0, 0, std::min(wanted, limit) - place.left, place.bottom - place.top,
                         SWP_NOMOVE | SWP_NOZORDER);
        }
    }
}

void MainWindow::createControls() {
    const HFONT font = GdiFont::dialog().handle();
    addControl(L"Label5", L"STATIC", L"Tessel Host", kLabel, twipsRect(120, 120, 735, 255));
    addControl(L"txtTesselHost", L"EDIT", L"", kTextBox | WS_BORDER, twipsRect(1200, 120, 2175, 285));
    addControl(L"Label1", L"STATIC", L"User Name", kLabel, twipsRect(120, 480, 975, 255));
    addControl(L"txtUserName", L"EDIT", L"", kTextBox | WS_BORDER, twipsRect(1200, 480, 2175, 285));
    addControl(L"Label2", L"STATIC", L"Password", kLabel, twipsRect(120, 840, 975, 255));
    addControl(L"txtPassword", L"EDIT", L"", kTextBox | WS_BORDER, twipsRect(1200, 840, 2175, 285));
    addControl(L"cmdData", L"BUTTON", L"Data", kButton, twipsRect(3720, 600, 615, 375));
    HWND sineWave = addControl(L"chkSineWave", L"BUTTON", L"Sinewave", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX,
                               twipsRect(3720, 1200, 1215, 375));
    SendMessageW(sineWave, BM_SETCHECK, BST_CHECKED, 0);

    // Created before the grid, so that it lies above it.
    editor_ = std::make_unique<CellEditor>(window_, twipsRect(2280, 1200, 960, 285), font);
    controls_.emplace(L"txtEditInput", editor_->handle());
    grid_ = std::make_unique<ListViewGrid>(window_, twipsRect(210, 1515, 3150, 1905), font);
    controls_.emplace(L"gridData", grid_->handle());
    editing_ = std::make_unique<window::GridEditing>(*grid_, *editor_);
    grid_->setEditing(editing_.get());
    editor_->setEditing(editing_.get());

    addControl(L"Label7", L"STATIC", L"Time Error", kLabel, twipsRect(3480, 1680, 975, 255));
    addControl(L"txtTimeError", L"EDIT", L"0", kTextBox | WS_BORDER, twipsRect(3480, 1920, 960, 285));
    addControl(L"Label6", L"STATIC", L"Period (sec)", kLabel, twipsRect(3480, 2520, 975, 255));
    addControl(L"txtPeriod", L"EDIT", L"1234", kTextBox | WS_BORDER, twipsRect(3480, 2760, 960, 285));
    addControl(L"txtHistoryType", L"STATIC", L"-", kLabel, twipsRect(3480, 3240, 1095, 255));
    addControl(L"Label8", L"STATIC", L"Start:", kLabel, twipsRect(240, 3600, 495, 255));
    addControl(L"labelStartTime", L"STATIC", L"", kLabel, twipsRect(840, 3600, 2775, 255));
    addControl(L"Label9", L"STATIC", L"End:", kLabel, twipsRect(240, 3960, 615, 255));
    addControl(L"labelEndTime", L"STATIC", L"", kLabel, twipsRect(840, 3960, 2775, 255));
    addControl(L"Label3", L"STATIC", L"Sample Frequency:", kLabel, twipsRect(240, 4680, 1455, 255));
    addControl(L"labelSampleFrequency", L"STATIC", L"-", kLabel, twipsRect(1680, 4680, 855, 255));
    addControl(L"Label4", L"STATIC", L"Samples:", kLabel, twipsRect(3000, 4680, 735, 255));
    addControl(L"labelNumSamples", L"STATIC", L"-", kLabel, twipsRect(3720, 4680, 615, 255));
    HWND fetch = addControl(L"labelFetch", L"STATIC", L"Fetch", kLabel & ~WS_VISIBLE, twipsRect(240, 5160, 735, 255));
    SendMessageW(fetch, WM_SETFONT, reinterpret_cast<WPARAM>(GdiFont::fetchIndicator().handle()), FALSE);

    addControl(L"Label10", L"STATIC", L"Writes", kLabel, twipsRect(5160, 240, 855, 255));
    addControl(L"txtWriteLog", L"EDIT", L"",
               WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
               twipsRect(5160, 480, 3495, 4095));
    addControl(L"btnClearWriteLog", L"BUTTON", L"Clear", kButton, twipsRect(7440, 4680, 1215, 375));

    for (const wchar_t* name : kFocusOrder) {
        focusOrder_.push_back(controlNamed(name));
    }
    fitCaptions();
}

void MainWindow::load() {
    ListViewGrid& grid = *grid_;
    grid.setCols(3);
    grid.setColWidth(0, twipsToPixels(1000));
    grid.setColWidth(1, twipsToPixels(1000));
    grid.setTextMatrix(0, 0, u"Tag");
    grid.setTextMatrix(0, 1, u"Value");
    grid.setTextMatrix(0, 2, u"Confidence");
    SetWindowTextW(controlNamed(L"labelStartTime"), L"");
    SetWindowTextW(controlNamed(L"labelEndTime"), L"");
}

HWND MainWindow::controlNamed(std::wstring_view name) const {
    const auto found = controls_.find(name);
    return found != controls_.end() ? found->second : nullptr;
}

std::wstring MainWindow::nameOf(HWND control) const {
    for (; control != nullptr && control != window_; control = GetParent(control)) {
        for (const auto& [name, handle] : controls_) {
            if (handle == control) {
                return name;
            }
        }
    }
    return {};
}

HWND MainWindow::control(Control control) const {
    switch (control) {
    case Control::txtTesselHost:
        return controlNamed(L"txtTesselHost");
    case Control::txtUserName:
        return controlNamed(L"txtUserName");
    case Control::txtPassword:
        return controlNamed(L"txtPassword");
    case Control::labelStartTime:
        return controlNamed(L"labelStartTime");
    case Control::labelEndTime:
        return controlNamed(L"labelEndTime");
    case Control::labelSampleFrequency:
        return controlNamed(L"labelSampleFrequency");
    case Control::txtHistoryType:
        return controlNamed(L"txtHistoryType");
    case Control::labelNumSamples:
        return controlNamed(L"labelNumSamples");
    case Control::txtTimeError:
        return controlNamed(L"txtTimeError");
    case Control::txtPeriod:
        return controlNamed(L"txtPeriod");
    case Control::txtWriteLog:
        return controlNamed(L"txtWriteLog");
    case Control::txtData:
        break;
    }
    throw std::invalid_argument("not a control of frmMain");
}

void MainWindow::show() {
    if (IsWindowVisible(window_)) {
        return;
    }
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
    SetForegroundWindow(window_);
    if (GetActiveWindow() == window_ && lastFocus_ != nullptr) {
        SetFocus(lastFocus_);
    }
}

void MainWindow::dataFetch() {
    ShowWindow(controlNamed(L"labelFetch"), SW_SHOW);
    // Enabling a running timer does not restart it.
    if (!fetchTimerRunning_) {
        SetTimer(window_, kFetchTimer, kFetchInterval, nullptr);
        fetchTimerRunning_ = true;
    }
}

void MainWindow::clearFetchIndicator() {
    ShowWindow(controlNamed(L"labelFetch"), SW_HIDE);
    KillTimer(window_, kFetchTimer);
    fetchTimerRunning_ = false;
}

bool MainWindow::requestUnload() {
    return confirmExitOrEndProcess(window_);
}

bool MainWindow::preTranslate(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB) {
        return false;
    }
    if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) {
        return false;
    }
    focusNext(message.hwnd, GetKeyState(VK_SHIFT) < 0);
    return true;
}

void MainWindow::focusNext(HWND from, bool backwards) {
    // The control that has the focus, or the one whose part it is.
    while (from != nullptr && GetParent(from) != window_) {
        from = GetParent(from);
    }
    const auto count = static_cast<int>(focusOrder_.size());
    int at = 0;
    while (at < count && focusOrder_[static_cast<std::size_t>(at)] != from) {
        ++at;
    }
    for (int step = 1; step <= count; ++step) {
        const int index = ((backwards ? at - step : at + step) % count + count) % count;
        HWND next = focusOrder_[static_cast<std::size_t>(index)];
        if ((GetWindowLongW(next, GWL_STYLE) & WS_VISIBLE) != 0 && IsWindowEnabled(next)) {
            SetFocus(next);
            // Like any dialog: a one-line box entered by Tab has its text selected.
            if (next != editor_->handle() && isOneLineTextBox(next)) {
                SendMessageW(next, EM_SETSEL, 0, -1);
            }
            return;
        }
    }
}

}  // namespace corvane::win32

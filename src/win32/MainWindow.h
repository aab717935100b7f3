#pragma once

#include "server/OperatorConsole.h"
#include "win32/CellEditor.h"
#include "win32/ListViewGrid.h"
#include "win32/MessagePump.h"
#include "window/GridEditing.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace corvane {
class ConsoleEvents;
}

namespace corvane::win32 {

class DataWindowSlot;

// frmMain, the operator's window. Its controls have fixed places; the object
// model writes and reads them through the operator console. Created hidden;
// the console shows it.
class MainWindow final : public MessageFilter {
public:
    explicit MainWindow(DataWindowSlot& dataWindow);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND handle() const { return window_; }
    // The control of this window that `control` names (not txtData).
    HWND control(Control control) const;
    // Any control by its name on the window ("cmdData", "Label5", ...); null
    // for a name the window does not have.
    HWND controlNamed(std::wstring_view name) const;
    // The name of a control of this window (the grid's parts count as the
    // grid); empty for any other window.
    std::wstring nameOf(HWND control) const;
    ListViewGrid& gridData() const { return *grid_; }
    CellEditor& txtEditInput() const { return *editor_; }

    // Shows the window; a shown window stays as it is.
    void show();
    // Shows "Fetch"; tmrClrFetch hides it again 250 ms later.
    void dataFetch();
    bool fetchTimerRunning() const { return fetchTimerRunning_; }
    // Asks the exit question; false on No, and on Yes the process ends.
    bool requestUnload();

    void setConsoleEvents(ConsoleEvents* events) { editing_->setConsoleEvents(events); }
    // GridEdit: opens the cell editor over the current cell.
    void gridEdit(int keyAscii) { editing_->open(keyAscii); }
    // nEditCol: the grid column of the edit opened last.
    std::int32_t editColumn() const { return editing_->editColumn(); }

    // Tab and Shift+Tab go through the controls in the window's own order.
    bool preTranslate(const MSG& message) override;

private:
    static constexpr UINT_PTR kFetchTimer = 1;

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool onControlColour(HDC dc, HWND control, LRESULT& brush) const;
    void onCommand(HWND control, WORD code);
    void createControls();
    void load();
    void clearFetchIndicator();
    void focusNext(HWND from, bool backwards);
    void fitCaptions();
    HWND addControl(std::wstring name, const wchar_t* kind, const wchar_t* text, DWORD style, const RECT& place);

    DataWindowSlot& dataWindow_;
    HWND window_ = nullptr;
    std::map<std::wstring, HWND, std::less<>> controls_;
    std::vector<HWND> focusOrder_;
    std::unique_ptr<ListViewGrid> grid_;
    std::unique_ptr<CellEditor> editor_;
    std::unique_ptr<window::GridEditing> editing_;
    HWND lastFocus_ = nullptr;
    bool fetchTimerRunning_ = false;
};

}  // namespace corvane::win32

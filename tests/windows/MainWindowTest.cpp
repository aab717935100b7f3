#include "WindowFixture.h"
#include "win32/Twips.h"
#include "win32/WindowText.h"

#include <commctrl.h>

namespace corvane::win32::test {
namespace {

struct ExpectedControl {
    const wchar_t* name;
    const char16_t* text;
    int left, top, width, height;  // twips
    bool visible;
};

// The window's layout as the operator sees it at start.
constexpr ExpectedControl kLayout[] = {
    {L"Label5", u"Tessel Host", 120, 120, 735, 255, true},
    {L"txtTesselHost", u"", 1200, 120, 2175, 285, true},
    {L"Label1", u"User Name", 120, 480, 975, 255, true},
    {L"txtUserName", u"", 1200, 480, 2175, 285, true},
    {L"Label2", u"Password", 120, 840, 975, 255, true},
    {L"txtPassword", u"", 1200, 840, 2175, 285, true},
    {L"cmdData", u"Data", 3720, 600, 615, 375, true},
    {L"chkSineWave", u"Sinewave", 3720, 1200, 1215, 375, true},
    {L"txtEditInput", u"", 2280, 1200, 960, 285, false},
    {L"gridData", nullptr, 210, 1515, 3150, 1905, true},
    {L"Label7", u"Time Error", 3480, 1680, 975, 255, true},
    {L"txtTimeError", u"0", 3480, 1920, 960, 285, true},
    {L"Label6", u"Period (sec)", 3480, 2520, 975, 255, true},
    {L"txtPeriod", u"1234", 3480, 2760, 960, 285, true},
    {L"txtHistoryType", u"-", 3480, 3240, 1095, 255, true},
    {L"Label8", u"Start:", 240, 3600, 495, 255, true},
    {L"labelStartTime", u"", 840, 3600, 2775, 255, true},
    {L"Label9", u"End:", 240, 3960, 615, 255, true},
    {L"labelEndTime", u"", 840, 3960, 2775, 255, true},
    {L"Label3", u"Sample Frequency:", 240, 4680, 1455, 255, true},
    {L"labelSampleFrequency", u"-", 1680, 4680, 855, 255, true},
    {L"Label4", u"Samples:", 3000, 4680, 735, 255, true},
    {L"labelNumSamples", u"-", 3720, 4680, 615, 255, true},
    {L"labelFetch", u"Fetch", 240, 5160, 735, 255, false},
    {L"Label10", u"Writes", 5160, 240, 855, 255, true},
    {L"txtWriteLog", u"", 5160, 480, 3495, 4095, true},
    {L"btnClearWriteLog", u"Clear", 7440, 4680, 1215, 375, true},
};

RECT placeOf(HWND control) {
    RECT bounds{};
    GetWindowRect(control, &bounds);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

LOGFONTW fontOf(HWND control) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
    return font;
}

using MainWindowAtStart = WindowFixture;

TEST_F(MainWindowAtStart, ShowsEveryControlWithItsTextWhereTheLayoutPutsIt) {
    for (const ExpectedControl& expected : kLayout) {
        SCOPED_TRACE(std::string(expected.name, expected.name + wcslen(expected.name)));
        HWND shown = control(expected.name);
        const RECT want = twipsRect(expected.left, expected.top, expected.width, expected.height);
        RECT got = placeOf(shown);
        // A caption too wide for its box in the font at hand gets the room it needs.
        if (expected.name[0] == L'L' && got.right > want.right) {
            got.right = want.right;
        }
        EXPECT_TRUE(EqualRect(&want, &got)) << got.left << "," << got.top << " " << got.right << "," << got.bottom;
        EXPECT_EQ((GetWindowLongW(shown, GWL_STYLE) & WS_VISIBLE) != 0, expected.visible);
        if (expected.text != nullptr) {
            EXPECT_EQ(windowText(shown), expected.text);
        }
    }
}

TEST_F(MainWindowAtStart, HasItsCaptionClientSizeAndOneDialogFont) {
    EXPECT_EQ(windowText(window().handle()), u"Corvane Emulator");
    RECT client{};
    GetClientRect(window().handle(), &client);
    EXPECT_EQ(client.right, 600);
    EXPECT_EQ(client.bottom, 388);
    for (const wchar_t* name : {L"Label5", L"txtUserName", L"cmdData", L"gridData", L"txtWriteLog"}) {
        const LOGFONTW font = fontOf(control(name));
        EXPECT_STREQ(font.lfFaceName, L"MS Sans Serif");
        EXPECT_EQ(font.lfHeight, -11);
    }
}

TEST_F(MainWindowAtStart, ShowsTheGridWithItsCaptionRowOnlyAndNoHorizontalScrollBar) {
    ListViewGrid& grid = window().gridData();
    EXPECT_EQ(grid.rows(), 1);
    EXPECT_EQ(grid.cols(), 3);
    EXPECT_EQ(grid.textMatrix(0, 0), u"Tag");
    EXPECT_EQ(grid.textMatrix(0, 1), u"Value");
    EXPECT_EQ(grid.textMatrix(0, 2), u"Confidence");
    EXPECT_EQ(grid.colWidth(0), twipsToPixels(1000));
    EXPECT_EQ(grid.colWidth(1), twipsToPixels(1000));
    RECT client{};
    GetClientRect(grid.handle(), &client);
    EXPECT_LE(grid.colWidth(0) + grid.colWidth(1) + grid.colWidth(2), client.right);
    EXPECT_EQ(GetWindowLongW(grid.handle(), GWL_STYLE) & WS_HSCROLL, 0);
}

TEST_F(MainWindowAtStart, HasTheSynthesisSettingsAtTheirDefaults) {
    EXPECT_EQ(console.sineWaveValue(), 1);
    EXPECT_EQ(console.text(Control::txtPeriod), u"1234");
    EXPECT_EQ(console.text(Control::txtTimeError), u"0");
    clickControl(L"chkSineWave");
    EXPECT_EQ(console.sineWaveValue(), 0);
}

TEST_F(MainWindowAtStart, PutsTheFocusInTheUserNameAndTabsThroughTheControlsInOrder) {
    EXPECT_EQ(focusedControlName(), "txtUserName");
    const char* order[] = {"txtPassword",  "gridData",    "txtPeriod",   "cmdData",          "txtTesselHost",
                           "txtTimeError", "chkSineWave", "txtWriteLog", "btnClearWriteLog", "txtUserName"};
    for (const char* next : order) {
        SyntheticInput::press(VK_TAB);
        EXPECT_EQ(focusedControlName(), next);
    }
}

TEST_F(MainWindowAtStart, ShowsLabelTextsLiterally) {
    console.setText(Control::txtHistoryType, u"<b>Raw</b> & more");
    EXPECT_EQ(console.text(Control::txtHistoryType), u"<b>Raw</b> & more");
    EXPECT_NE(GetWindowLongW(control(L"txtHistoryType"), GWL_STYLE) & SS_NOPREFIX, 0);
}

using FetchIndicator = WindowFixture;

TEST_F(FetchIndicator, ShowsFetchInBoldDarkGreenUntilTheTimerTicksThenHidesItAndStopsTheTimer) {
    HWND fetch = control(L"labelFetch");
    EXPECT_EQ(fontOf(fetch).lfWeight, FW_BOLD);
    EXPECT_EQ(fontOf(fetch).lfHeight, -13);
    console.dataFetch();
    EXPECT_TRUE(IsWindowVisible(fetch));
    EXPECT_TRUE(window().fetchTimerRunning());
    // Waits for the timer's own message, with a guard should it never come.
    const UINT_PTR guard = SetTimer(nullptr, 0, 5000, nullptr);
    MSG message;
    while (window().fetchTimerRunning() && GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == nullptr && message.wParam == guard) {
            break;
        }
        MessagePump::handle(message);
    }
    KillTimer(nullptr, guard);
    EXPECT_FALSE(IsWindowVisible(fetch));
    EXPECT_FALSE(window().fetchTimerRunning());
}

using WriteLog = WindowFixture;

TEST_F(WriteLog, GivesBackTheLinesAppendedWithCarriageReturnLineFeeds) {
    console.appendText(Control::txtWriteLog, u"14:03:07: TIC101.PV = 42.5\r\n");
    console.appendText(Control::txtWriteLog, u"14:03:08: FIC7.PV = -999\n");
    EXPECT_EQ(console.text(Control::txtWriteLog), u"14:03:07: TIC101.PV = 42.5\r\n14:03:08: FIC7.PV = -999\r\n");
    EXPECT_EQ(SendMessageW(control(L"txtWriteLog"), EM_GETLINECOUNT, 0, 0), 3);
}

TEST_F(WriteLog, HoldsMoreThanAnEditBoxsDefaultLimit) {
    const std::u16string line(100, u'x');
    for (int i = 0; i < 400; ++i) {
        console.appendText(Control::txtWriteLog, line);
    }
    EXPECT_EQ(console.text(Control::txtWriteLog).size(), 40000u);
}

TEST_F(WriteLog, ClearEmptiesTheLogAndTheNextLineStartsItAlone) {
    console.appendText(Control::txtWriteLog, u"10:00:00: A = 1\r\n");
    clickControl(L"btnClearWriteLog");
    EXPECT_EQ(console.text(Control::txtWriteLog), u"");
    console.appendText(Control::txtWriteLog, u"10:00:01: B = 2\r\n");
    EXPECT_EQ(console.text(Control::txtWriteLog), u"10:00:01: B = 2\r\n");
}

using DataWindowUse = WindowFixture;

TEST_F(DataWindowUse, TwoClicksOnDataShowOneWindowWithItsCaptionAndSize) {
    clickControl(L"cmdData");
    HWND first = console.dataWindow().window().handle();
    clickControl(L"cmdData");
    EXPECT_EQ(console.dataWindow().window().handle(), first);
    EXPECT_TRUE(console.dataWindowVisible());
    EXPECT_EQ(windowText(first), u"Data");
    RECT client{};
    GetClientRect(first, &client);
    EXPECT_EQ(client.right, 444);
    EXPECT_EQ(client.bottom, 477);
}

TEST_F(DataWindowUse, ReadingTheListingLoadsTheWindowHidden) {
    EXPECT_EQ(console.text(Control::txtData), u"");
    EXPECT_FALSE(console.dataWindowVisible());
    console.setText(Control::txtData, u"FIC7.PV");
    clickControl(L"cmdData");
    EXPECT_TRUE(console.dataWindowVisible());
    EXPECT_EQ(console.text(Control::txtData), u"FIC7.PV");
}

TEST_F(DataWindowUse, ClosingDestroysItAndTheNextClickShowsAnEmptyOne) {
    clickControl(L"cmdData");
    console.appendText(Control::txtData, u"TIC101.PV\r\n");
    HWND first = console.dataWindow().window().handle();
    SendMessageW(first, WM_SYSCOMMAND, SC_CLOSE, 0);
    SyntheticInput::settle();
    EXPECT_FALSE(IsWindow(first));
    EXPECT_FALSE(console.dataWindow().isLoaded());

    clickControl(L"cmdData");
    EXPECT_TRUE(console.dataWindowVisible());
    EXPECT_EQ(console.text(Control::txtData), u"");
}

}  // namespace
}  // namespace corvane::win32::test

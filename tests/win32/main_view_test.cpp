// The main window view against the real window system: styles, layering, the system
// menu entry and what it paints, driven by a real start-up from a prepared folder.
#include <windows.h>

#include <gtest/gtest.h>

#include "../main_window_access.h"
#include "../test_bitmaps.h"
#include "test_helpers.h"
#include "windows/main/Unit1.h"

using namespace tabrix;
using namespace tabrix::win32;

namespace {

class MainView : public test::MainWindowTest {
protected:
    MainView() : MainWindowTest("tabrix-view", test::bmp24Skin(100, 80, 0x3060C0)) {}
    uint32_t clientPixel(int x, int y) { return test::clientPixels(view->hwnd()).at(x, y); }
    std::string lastSystemMenuEntry() {
        HMENU menu = GetSystemMenu(view->hwnd(), FALSE);
        const int n = GetMenuItemCount(menu);
        char text[64] = {};
        if (n > 0) GetMenuStringA(menu, n - 1, text, sizeof text, MF_BYPOSITION);
        return text;
    }
};

}  // namespace

TEST_F(MainView, AboutEntryOnlyWithStayOnTopAndCaptionBar) {
    start("[general]\r\nskin=Default\r\nontop=1\r\nshowbar=1\r\n");
    EXPECT_EQ(lastSystemMenuEntry(), "About Tabrix");
    EXPECT_TRUE(GetWindowLongA(view->hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    view.reset();
    start("[general]\r\nskin=Default\r\nontop=0\r\nshowbar=1\r\n");
    EXPECT_NE(lastSystemMenuEntry(), "About Tabrix");
    EXPECT_FALSE(GetWindowLongA(view->hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(MainView, PaintsSkinBannerAndLabelsWithTheSkinsKeyColourLeftOut) {
    start("[general]\r\nskin=Default\r\nshowbanner=-1\r\nontop=0\r\nshowbar=0\r\n");
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_EQ(clientPixel(8, 3), 0x808080u) << "banner strip";
    EXPECT_EQ(clientPixel(60, 70), 0x3060C0u) << "skin";
    EXPECT_EQ(clientPixel(200, 200), 0xFFFFFFu) << "white window beyond the skin";
    const Pixels shown = test::clientPixels(view->hwnd());
    int dark = 0;  // "CPU Usage:" at 32, 40 in black over the blue skin
    for (int y = 40; y < 52; ++y)
        for (int x = 32; x < 90; ++x) dark += shown.at(x, y) == 0;
    EXPECT_GT(dark, 10);
}

TEST_F(MainView, ALabelWithLineBreaksIsMeasuredAndDrawnOnSeveralLines) {
    start("[general]\r\nskin=Default\r\nshowbanner=0\r\n");
    const int oneLine = form->look().label(36).height;
    // The drive block: each drive's line follows a line feed and a carriage return.
    setLabelText(*form, 36, "\n\rC: 45 % of 37.25 Gb");
    mutableLabel(*form, 36).visible = true;
    const Label& l = form->look().label(36);
    EXPECT_GE(l.height, 2 * oneLine);
    const Pixels shown = test::clientPixels(view->hwnd());
    int dark = 0;  // black text on the white window, below the first (empty) line
    for (int y = l.top + oneLine; y < l.top + l.height; ++y)
        for (int x = l.left; x < l.left + l.width; ++x) dark += shown.at(x, y) == 0;
    EXPECT_GT(dark, 10);

    // A single left-aligned line, drawn without DrawText's layout, shows exactly what
    // DrawText shows: same place, same code page (an "\xC5" outside ASCII).
    setLabelText(*form, 36, "Wj \xC5 12.5 Gb");
    mutableLabel(*form, 36).left = 150;
    mutableLabel(*form, 36).top = 150;
    const Label& one = form->look().label(36);
    const Pixels drawn = test::clientPixels(view->hwnd());
    Dib dib(one.width, one.height);
    MemoryDc mem(nullptr);
    mem.select(dib.get());
    RECT box{0, 0, one.width, one.height};
    FillRect(mem.get(), &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    GdiObject<HFONT> font(createFont(one.font));
    SelectObject(mem.get(), font.get());
    SetBkMode(mem.get(), TRANSPARENT);
    SetTextColor(mem.get(), toColorRef(one.font.color));
    DrawTextA(mem.get(), one.text.c_str(), static_cast<int>(one.text.size()), &box,
              DT_LEFT | kLabelTextFormat | DT_NOCLIP);
    GdiFlush();
    int differ = 0;
    for (int y = 0; y < one.height; ++y)
        for (int x = 0; x < one.width; ++x)
            differ += drawn.at(one.left + x, one.top + y) != (dib.bits()[y * one.width + x] & 0xFFFFFFu);
    EXPECT_EQ(differ, 0);
}

TEST_F(MainView, SkinPixelsOfTheBottomLeftColourAreNotDrawn) {
    std::string skin = tabrix::test::bmp24Skin(100, 80, 0xFF0000);  // all of it the key colour
    write("skins\\red.bmp", skin);
    start("[general]\r\nskin=red.bmp\r\nshowbanner=0\r\n");
    EXPECT_EQ(clientPixel(60, 70), 0xFFFFFFu);
}

TEST_F(MainView, WithoutConfigTheStartUpStopsAtTheSkinAsANormalWindow) {
    DeleteFileA(scratch.file("skins\\transparent.bmp").c_str());
    start("");
    EXPECT_EQ(lastStartupStep(*form), 14);
    EXPECT_FALSE(GetWindowLongA(view->hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(sink.shown, std::vector<std::string>{"There was a problem starting Tabrix"});
}

TEST_F(MainView, APressOnALabelOrAPlayerButtonNeverMovesTheWindow) {
    start("[general]\r\nskin=Default\r\nshowbar=0\r\nAllowPositionChange=0\r\n");
    mutableImage(*form, 3).visible = true;  // the pause button at 184, 287
    HWND w = view->hwnd();
    RECT before{};
    GetWindowRect(w, &before);
    // "CPU Usage:" (Label3) at 32, 40 and the button, pressed with each mouse button, then
    // the pointer moved well away.
    for (LPARAM at : {MAKELPARAM(35, 45), MAKELPARAM(186, 290)})
        for (UINT press : {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN}) {
            SendMessageA(w, press, 0, at);
            SetCursorPos(before.left + 300, before.top + 200);
            PostMessageA(w, WM_MOUSEMOVE, 0, MAKELPARAM(300, 200));
            MSG msg;
            while (PeekMessageA(&msg, w, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) DispatchMessageA(&msg);
            ReleaseCapture();  // ends whatever the press began (a right release would open the menu)
        }
    RECT after{};
    GetWindowRect(w, &after);
    EXPECT_EQ(before.left, after.left);
    EXPECT_EQ(before.top, after.top);
    EXPECT_EQ(32, form->look().label(3).left);  // nor was the label moved
}

// The traffic meter keeps the refresh's beat: no system timer of its own, and it ticks right
// after each refresh from the one the refresh started it in on.
TEST_F(MainView, TheTrafficMeterTicksOnTheRefreshsBeat) {
    start("[general]\r\nskin=Default\r\n[Modules]\r\nCheckBox23=True\r\nCheckBox32=True\r\n");
    const auto trafficTicks = [&] { return form->look().graphs[Graphs::kTraffic].series[0].size(); };
    SendMessageA(view->hwnd(), WM_TIMER, 1, 0);
    ASSERT_TRUE(form->look().timers.tmrTraffic.enabled);
    EXPECT_EQ(0u, trafficTicks()) << "started by this refresh: it waits a period";
    EXPECT_FALSE(KillTimer(view->hwnd(), 5)) << "a system timer of its own";
    SendMessageA(view->hwnd(), WM_TIMER, 1, 0);
    SendMessageA(view->hwnd(), WM_TIMER, 1, 0);
    EXPECT_EQ(2u, trafficTicks());
}

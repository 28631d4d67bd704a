// The widget among other programs: out of the way of a full-screen one, and letting clicks
// through to the window beneath.
#include <gtest/gtest.h>

#include "e2e_support.h"
#include "x_input.h"

using namespace e2e;

namespace {

int clicksBeneath = 0;

LRESULT CALLBACK standInProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_LBUTTONDOWN) ++clicksBeneath;
    return DefWindowProcA(w, msg, wp, lp);
}

// A plain window of the test's own, made the foreground one.
struct StandIn {
    HWND w = nullptr;
    explicit StandIn(RECT r) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = standInProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
        wc.lpszClassName = "TabrixTestStandIn";
        RegisterClassA(&wc);
        w = CreateWindowExA(0, wc.lpszClassName, "stand-in", WS_POPUP | WS_VISIBLE, r.left, r.top,
                            r.right - r.left, r.bottom - r.top, nullptr, nullptr, wc.hInstance, nullptr);
        SetForegroundWindow(w);
        pause(200);
    }
    ~StandIn() { DestroyWindow(w); }
};

RECT wholeScreen() {
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace

TEST(Desktop, HidesWhileAFullScreenProgramIsInFrontAndComesBackAfterIt) {
    ProgramFolder folder(
        "[general]\r\nskin=Default\r\nontop=1\r\nhidefullscreen=1\r\n[position]\r\nleft=60\r\ntop=70\r\n");
    Running app(folder);
    HWND w = app.mainWindow();
    ASSERT_TRUE(w);
    ASSERT_TRUE(waitFor([&] { return visible(w); }, 3000));
    const std::string before = readFile(folder.path("config.ini"));
    {
        StandIn game(wholeScreen());
        EXPECT_TRUE(waitFor([&] { return !visible(w); }, 2000));
        EXPECT_TRUE(app.alive());
        EXPECT_EQ(before, readFile(folder.path("config.ini")));
    }
    EXPECT_TRUE(waitFor([&] { return visible(w); }, 2000));
    // A window that leaves a strip of the screen free is no full-screen program.
    RECT most = wholeScreen();
    most.bottom -= 1;
    StandIn almost(most);
    pause(1500);
    EXPECT_TRUE(visible(w));
}

TEST(Desktop, ClickThroughPassesClicksToTheWindowBeneathUntilTheTrayEntryTurnsItOff) {
    StandIn beneath(wholeScreen());
    ProgramFolder folder(
        "[general]\r\nskin=Default\r\nSysTrayIcon=1\r\nclickthrough=1\r\n[position]\r\nleft=60\r\ntop="
        "70\r\n");
    Running app(folder);
    HWND w = app.mainWindow();
    ASSERT_TRUE(w);
    bringToTop(w);
    const RECT r = outerRect(w);
    const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    clicksBeneath = 0;
    ASSERT_TRUE(xclick(x, y));
    EXPECT_TRUE(waitFor([] { return clicksBeneath > 0; }, 2000));

    ASSERT_TRUE(pickTrayEntry(app, w, 8));  // "Click-through", after "Misc"
    EXPECT_TRUE(fileGains(folder.path("config.ini"), "clickthrough=0", 3000));
    pause(300);
    bringToTop(w);
    clicksBeneath = 0;
    ASSERT_TRUE(xclick(x, y));
    pause(500);
    EXPECT_EQ(0, clicksBeneath);
}

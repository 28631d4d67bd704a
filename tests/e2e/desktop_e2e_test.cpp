// The widget among other programs: out of the way of a full-screen one, and letting clicks
// through to the window beneath.
#include <gtest/gtest.h>

#include "e2e_support.h"
#include "windows/main/MainWindowOwner.h"
#include "x_input.h"

using namespace e2e;

namespace {

// Another program's window: grey, made the foreground one.
constexpr COLORREF kStandIn = RGB(0x80, 0x80, 0x80);

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
        TestWindow game(wholeScreen(), kStandIn, TestWindow::Place::InFront);
        EXPECT_TRUE(waitFor([&] { return !visible(w); }, 2000));
        EXPECT_TRUE(app.alive());
        EXPECT_EQ(before, readFile(folder.path("config.ini")));
    }
    EXPECT_TRUE(waitFor([&] { return visible(w); }, 2000));
    // A window that leaves a strip of the screen free is no full-screen program.
    RECT most = wholeScreen();
    most.bottom -= 1;
    TestWindow almost(most, kStandIn, TestWindow::Place::InFront);
    pause(1500);
    EXPECT_TRUE(visible(w));
}

TEST(Desktop, ClickThroughPassesClicksToTheWindowBeneathUntilTheTrayEntryTurnsItOff) {
    TestWindow beneath(wholeScreen(), kStandIn, TestWindow::Place::InFront);
    ProgramFolder folder(
        "[general]\r\nskin=Default\r\nSysTrayIcon=1\r\nclickthrough=1\r\n[position]\r\nleft=60\r\ntop="
        "70\r\n");
    Running app(folder);
    HWND w = app.mainWindow();
    ASSERT_TRUE(w);
    bringToTop(w);
    const RECT r = outerRect(w);
    const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    beneath.presses = 0;
    ASSERT_TRUE(xclick(x, y));
    EXPECT_TRUE(waitFor([&] { return beneath.presses > 0; }, 2000));

    ASSERT_TRUE(pickTrayEntry(app, w, tabrix::kMenuClickThrough));
    EXPECT_TRUE(fileGains(folder.path("config.ini"), "clickthrough=0", 3000));
    pause(300);
    bringToTop(w);
    beneath.presses = 0;
    ASSERT_TRUE(xclick(x, y));
    pause(500);
    EXPECT_EQ(0, beneath.presses);
}

// The real Tabrix.exe: the error notice balloon as the window system shows it, and the
// lasterror record its closes leave in config.ini.
#include <gtest/gtest.h>

#include "e2e_support.h"

using namespace e2e;

namespace {

const char kGoodConfig[] =
    "[general]\r\nskin=Default\r\ntransparent=1\r\nshowbar=1\r\nontop=1\r\n"
    "[position]\r\nleft=100\r\ntop=300\r\n";

}  // namespace

TEST(ErrorNotice, AStartUpFailureShowsTheBalloonAboveTheMainWindowUntilClicked) {
    ProgramFolder folder(nullptr);  // no config.ini: start-up stops, the window keeps 688, 168
    Running app(folder);
    ASSERT_TRUE(app.mainWindow());
    ASSERT_TRUE(findWindowOf(app.pid(), "TForm4"));
    HWND notice = findWindowOf(app.pid(), "TForm4");
    EXPECT_TRUE(GetWindowLongA(notice, GWL_EXSTYLE) & WS_EX_LAYERED);

    EXPECT_TRUE(IsWindowVisible(notice));
    EXPECT_EQ(windowText(notice), "There was a problem starting Tabrix");
    RECT r{};
    GetWindowRect(notice, &r);
    EXPECT_EQ(r.left, 688);
    EXPECT_EQ(r.top, 51);
    EXPECT_EQ(r.right - r.left, 250);
    EXPECT_EQ(r.bottom - r.top, 106);
    EXPECT_FALSE(GetWindowLongA(notice, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME));
    const LONG ex = GetWindowLongA(notice, GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);

    // The pale body of the balloon below the text box, and the text in it.
    Screenshot shot(r);
    EXPECT_EQ(shot.at(r.left + 150, r.top + 80), 0xFFFFDEu);
    int dark = 0;
    for (int y = 15; y < 30; ++y)
        for (int x = 56; x < 200; ++x) dark += (shot.at(r.left + x, r.top + y) & 0xFFFFFF) < 0x404040;
    EXPECT_GT(dark, 20) << "no text in the balloon";

    // A click on the text closes the notice and records what it said.
    PostMessageA(notice, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 30));
    PostMessageA(notice, WM_LBUTTONUP, 0, MAKELPARAM(100, 30));
    EXPECT_TRUE(
        fileGains(folder.path("config.ini"), "lasterror=There was a problem starting Tabrix\r\n", 3000));
    EXPECT_FALSE(IsWindowVisible(notice));
    EXPECT_TRUE(app.close());
}

TEST(ErrorNotice, WithoutAnyErrorTheTimerRecordsTheDesignTextWithinTenSeconds) {
    ProgramFolder folder(kGoodConfig);
    Running app(folder);
    ASSERT_TRUE(app.mainWindow());
    HWND notice = findWindowOf(app.pid(), "TForm4");
    EXPECT_TRUE(GetWindowLongA(notice, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_FALSE(IsWindowVisible(notice));
    EXPECT_TRUE(fileGains(folder.path("config.ini"), "lasterror=An Error Occured.\r\n", 12000));
    EXPECT_FALSE(IsWindowVisible(notice));
    EXPECT_TRUE(app.alive());
    EXPECT_TRUE(app.close());
}

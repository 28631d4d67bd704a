// The real Tabrix.exe started from prepared program folders: what the window system and
// the screen show of its main window.
#include <gtest/gtest.h>

#include "e2e_support.h"

#include <shellapi.h>

using namespace e2e;

namespace {

const char kGoodConfig[] =
    "[general]\r\nskin=Default\r\ntransparent=1\r\nalpha=255\r\nshowbar=1\r\nontop=1\r\n"
    "showbanner=-1\r\nSysTrayIcon=1\r\n[position]\r\nleft=100\r\ntop=120\r\n";

std::string noticeText(const Running& app) {
    HWND notice = findWindowOf(app.pid(), "TForm4");
    return notice ? windowText(notice) : "(no notice window)";
}

}  // namespace

TEST(MainWindow, GoodFolderShowsTheDesignedWindowWithSkinAndBanner) {
    ProgramFolder folder(kGoodConfig);
    Running app(folder);
    HWND w = app.mainWindow();
    ASSERT_TRUE(w) << "no main window";
    char cls[32] = {};
    GetClassNameA(w, cls, sizeof cls);
    EXPECT_STREQ(cls, "TForm1");
    EXPECT_EQ(windowText(w), "Tabrix");
    EXPECT_TRUE(IsWindowVisible(w));

    const RECT o = outerRect(w), c = clientRect(w);
    EXPECT_EQ(o.left, 100);
    EXPECT_EQ(o.top, 120);
    EXPECT_EQ(c.right - c.left, 271);
    EXPECT_EQ(c.bottom - c.top, 305);

    const LONG ex = GetWindowLongA(w, GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_LAYERED);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    const Layered l = layeredAttributes(w);
    ASSERT_TRUE(l.ok);
    EXPECT_EQ(l.key, RGB(255, 255, 255));
    EXPECT_EQ(l.flags, static_cast<DWORD>(LWA_COLORKEY));
    EXPECT_EQ(noticeText(app), "An Error Occured.");
    EXPECT_TRUE(trayIconExists(w));

    // The banner's grey strip at the skin's top-left corner, and a caption label's text.
    SetWindowPos(w, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    pause(300);
    Screenshot shot(c);
    EXPECT_EQ(shot.at(c.left + 8, c.top + 3), 0x808080u);
    int dark = 0;
    for (int y = 40; y < 52; ++y)
        for (int x = 32; x < 90; ++x) dark += isDark(shot.at(c.left + x, c.top + y));
    EXPECT_GT(dark, 20) << "\"CPU Usage:\" is not drawn";
}

TEST(MainWindow, WithoutConfigIniStartUpStopsAtTheSkinAndKeepsTheDesign) {
    ProgramFolder folder(nullptr);
    Running app(folder);
    HWND w = app.mainWindow();
    ASSERT_TRUE(w);
    EXPECT_TRUE(IsWindowVisible(w));
    const RECT o = outerRect(w);
    EXPECT_EQ(o.left, 688);
    EXPECT_EQ(o.top, 168);
    const LONG ex = GetWindowLongA(w, GWL_EXSTYLE);
    EXPECT_FALSE(ex & WS_EX_TOPMOST);
    EXPECT_TRUE(ex & WS_EX_LAYERED);
    EXPECT_EQ(layeredAttributes(w).flags, static_cast<DWORD>(LWA_COLORKEY));
    EXPECT_EQ(noticeText(app), "There was a problem starting Tabrix");
    EXPECT_FALSE(trayIconExists(w));
    EXPECT_TRUE(app.close());
}

TEST(MainWindow, TranslucencyAndBorderFollowTheSettings) {
    ProgramFolder folder(
        "[general]\r\nskin=Default\r\ntransparent=0\r\nalpha=254\r\nshowbar=0\r\nontop=0\r\n");
    Running app(folder);
    HWND w = app.mainWindow();
    ASSERT_TRUE(w);
    const Layered l = layeredAttributes(w);
    ASSERT_TRUE(l.ok);
    EXPECT_EQ(l.flags, static_cast<DWORD>(LWA_ALPHA));
    EXPECT_EQ(l.alpha, 254);
    const LONG style = GetWindowLongA(w, GWL_STYLE);
    EXPECT_FALSE(style & WS_CAPTION);
    const RECT o = outerRect(w), c = clientRect(w);
    EXPECT_EQ(o.right - o.left, c.right - c.left);  // no border at all
}

TEST(MainWindow, BadSkinsEndStartUpThroughTheGuardWithoutCrashing) {
    std::string huge = readFile(distDir() + "\\skins\\transparent.bmp").substr(0, 54);
    // Claim 100000 x 100000 pixels in the info header.
    const int side = 100000;
    memcpy(&huge[18], &side, 4);
    memcpy(&huge[22], &side, 4);
    const std::string good = readFile(distDir() + "\\skins\\transparent.bmp");
    const struct {
        const char* name;
        std::string bytes;
    } skins[] = {{"empty.bmp", ""},
                 {"truncated.bmp", good.substr(0, good.size() / 3)},
                 {"text.bmp", "this is not a picture\r\n"},
                 {"huge.bmp", huge},
                 {"missing.bmp", std::string()}};
    for (const auto& s : skins) {
        SCOPED_TRACE(s.name);
        ProgramFolder folder((std::string("[general]\r\nskin=") + s.name + "\r\n").c_str());
        if (std::string(s.name) != "missing.bmp") folder.write(std::string("skins\\") + s.name, s.bytes);
        Running app(folder);
        ASSERT_TRUE(app.mainWindow());
        EXPECT_TRUE(IsWindowVisible(app.mainWindow()));
        EXPECT_EQ(noticeText(app), "There was a problem starting Tabrix");
        EXPECT_TRUE(app.alive());
        EXPECT_TRUE(app.close());
    }
}

TEST(MainWindow, GarbageConfigStartsWithDefaults) {
    std::string garbage;
    unsigned seed = 12345;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 1103515245u + 12345u;
        garbage += static_cast<char>(seed >> 16);
    }
    ProgramFolder folder(garbage.c_str());
    folder.write("config.ini", garbage);
    Running app(folder);
    ASSERT_TRUE(app.mainWindow());
    EXPECT_EQ(outerRect(app.mainWindow()).left, 688);
    EXPECT_TRUE(app.close());
    EXPECT_EQ(readFile(folder.path("config.ini")).substr(0, garbage.size()), garbage)
        << "no line of the file may be lost";
}

TEST(MainWindow, ASecondInstanceHidesTheFirstForGoodUntilItsTrayShowsIt) {
    ProgramFolder one(kGoodConfig), two(kGoodConfig);
    Running first(one);
    ASSERT_TRUE(first.mainWindow());
    EXPECT_TRUE(IsWindowVisible(first.mainWindow()));
    Running second(two);
    ASSERT_TRUE(second.mainWindow());
    EXPECT_TRUE(IsWindowVisible(second.mainWindow()));
    EXPECT_FALSE(IsWindowVisible(first.mainWindow()));
    // Several refresh ticks later the first copy has not brought its window back.
    pause(3000);
    EXPECT_FALSE(IsWindowVisible(first.mainWindow()));
    EXPECT_TRUE(IsWindowVisible(second.mainWindow()));
    // Its tray icon works from the true state: one left click shows the window again.
    PostMessageA(first.mainWindow(), 0x401, 0, WM_LBUTTONDOWN);
    pause(1500);
    EXPECT_TRUE(IsWindowVisible(first.mainWindow()));
    EXPECT_TRUE(first.alive());
}

TEST(MainWindow, ADraggedLabelIsSavedOnCloseAndComesBackWithSavedPositions) {
    ProgramFolder folder("[general]\r\nskin=Default\r\nshowbar=0\r\n[position]\r\nleft=40\r\ntop=40\r\n");
    {
        Running app(folder);
        HWND w = app.mainWindow();
        ASSERT_TRUE(w);
        // "CPU Usage:" (Label3) at 32, 40: press inside it, move while captured, release.
        PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(35, 45));
        PostMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(45, 65));
        PostMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(45, 65));
        pause(300);
        EXPECT_TRUE(app.close());
    }
    const std::string ini = readFile(folder.path("config.ini"));
    EXPECT_NE(ini.find("\r\nLabel3left=42\r\nLabel3top=60\r\n"), std::string::npos) << ini;

    // With saved positions on, the next start puts it there again.
    std::string withSaved = ini;
    withSaved.insert(withSaved.find("[general]\r\n") + 11, "savepositions=1\r\n");
    folder.write("config.ini", withSaved);
    Running again(folder);
    HWND w = again.mainWindow();
    ASSERT_TRUE(w);
    const RECT c = clientRect(w);
    SetWindowPos(w, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    pause(300);
    Screenshot shot(c);
    int darkAtNewPlace = 0, darkAtOldPlace = 0;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 50; ++x) {
            darkAtNewPlace += isDark(shot.at(c.left + 42 + x, c.top + 60 + y));
            darkAtOldPlace += isDark(shot.at(c.left + 32 + x, c.top + 40 + y));
        }
    EXPECT_GT(darkAtNewPlace, 20);
    EXPECT_EQ(darkAtOldPlace, 0);
}

// The real Tabrix.exe's tray callback, popup menu, keys, system menu and shell restart.
#include <gtest/gtest.h>

#include "e2e_support.h"
#include "windows/main/MainWindowOwner.h"
#include "x_input.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "platform/win32/Win32System.h"
#include "sources/cpuinfo.h"

using namespace e2e;

namespace {

const char kTrayConfig[] =
    "[general]\r\nskin=Default\r\nSysTrayIcon=1\r\n[position]\r\nleft=60\r\ntop=70\r\n";

void key(HWND w, WPARAM vk) {
    PostMessageA(w, WM_KEYDOWN, vk, 1);
}

int outerWidth(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r.right - r.left;
}

void expectLayoutSaved(const std::string& ini) {
    EXPECT_NE(ini.find("[position]\r\nleft=60\r\ntop=70\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("[Labels]\r\nLabel2left="), std::string::npos);
    EXPECT_NE(ini.find("\r\nlabel34left=64\r\nlabel34top=24\r\n"), std::string::npos);
    EXPECT_NE(ini.find("\r\nLabel36top=216\r\n"), std::string::npos);
    EXPECT_NE(ini.find("\r\nFormWidth="), std::string::npos);
    EXPECT_NE(ini.find("\r\nFormHeight="), std::string::npos);
}

class Tray : public ::testing::Test {
protected:
    ProgramFolder folder{kTrayConfig};

    // Starts the program, asks it to end in one way and expects it to end with the layout saved.
    void expectEndsSavingTheLayout(void (*askToEnd)(const Running& app, HWND w)) {
        Running app(folder);
        HWND w = app.mainWindow();
        ASSERT_TRUE(w);
        askToEnd(app, w);
        if (HasFatalFailure()) return;
        EXPECT_EQ(WaitForSingleObject(app.process(), 10000), WAIT_OBJECT_0);
        expectLayoutSaved(readFile(folder.path("config.ini")));
    }
};

}  // namespace

TEST_F(Tray, LeftButtonEscAndTheEntryShowAndHideTheWindowAndKeysResizeIt) {
    Running app(folder);
    HWND w = app.mainWindow();
    ASSERT_TRUE(w);
    EXPECT_TRUE(trayIconExists(w));

    PostMessageA(w, kTrayCallback, 0, WM_LBUTTONDOWN);
    EXPECT_TRUE(waitFor([&] { return !visible(w); }, 3000));
    PostMessageA(w, kTrayCallback, 0, WM_LBUTTONDOWN);
    EXPECT_TRUE(waitFor([&] { return visible(w); }, 3000));
    key(w, VK_ESCAPE);
    EXPECT_TRUE(waitFor([&] { return !visible(w); }, 3000));
    PostMessageA(w, kTrayCallback, 0, WM_MOUSEMOVE);  // any other mouse message: nothing
    pause(300);
    EXPECT_FALSE(visible(w));
    ASSERT_TRUE(pickTrayEntry(app, w, tabrix::kMenuShow));  // the entry now says "Show"
    EXPECT_TRUE(waitFor([&] { return visible(w); }, 3000));
    ASSERT_TRUE(pickTrayEntry(app, w, tabrix::kMenuShow));
    EXPECT_TRUE(waitFor([&] { return !visible(w); }, 3000));
    key(w, VK_ESCAPE);
    EXPECT_TRUE(waitFor([&] { return visible(w); }, 3000));

    const int width = outerWidth(w);
    for (int i = 0; i < 5; ++i) key(w, VK_OEM_PLUS);
    EXPECT_TRUE(waitFor([&] { return outerWidth(w) == width + 25; }, 3000));
    key(w, VK_OEM_MINUS);
    EXPECT_TRUE(waitFor([&] { return outerWidth(w) == width + 20; }, 3000));
}

TEST_F(Tray, MenuEntriesCarryTheirPicturesWithoutTheirBackground) {
    Running app(folder);
    HWND w = app.mainWindow();
    ASSERT_TRUE(w);
    PostMessageA(w, kTrayCallback, 0, WM_RBUTTONDOWN);
    HWND menu = nullptr;
    ASSERT_TRUE((menu = shownWindowOf(app, "#32768")));
    pause(300);
    RECT r{};
    GetWindowRect(menu, &r);
    Screenshot shot(r);
    const uint32_t face = shot.at(r.right - 3, r.top + (r.bottom - r.top) / 2);
    int magenta = 0, strongColours = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const uint32_t c = shot.at(x, y);
            magenta += c == 0xFF00FFu;
            const int red = (c >> 16) & 0xFF, green = (c >> 8) & 0xFF, blue = c & 0xFF;
            const int spread = std::max({red, green, blue}) - std::min({red, green, blue});
            if (x < r.left + 28 && c != face && spread > 60) ++strongColours;
        }
    EXPECT_EQ(magenta, 0) << "a picture's background shows";
    // Eight pictures of at least a few coloured pixels each down the menu's left edge.
    EXPECT_GT(strongColours, 8 * 12);
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 1);
    ASSERT_TRUE(waitFor([&] { return !visible(menu); }, 3000));

    // The same menu is the window's context menu: a right click on a label asks for it.
    PostMessageA(w, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(36, 44));
    PostMessageA(w, WM_RBUTTONUP, 0, MAKELPARAM(36, 44));
    EXPECT_TRUE((menu = shownWindowOf(app, "#32768")));
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 1);
}

std::string clipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr)) return "(clipboard busy)";
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(GlobalLock(data))) text = bytes;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

void putOnClipboard(const std::string& text) {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
}

TEST_F(Tray, CopyCpuNamePutsTheProcessorNameOnTheClipboard) {
    Running app(folder);
    HWND w = app.mainWindow();
    ASSERT_TRUE(w);
    putOnClipboard("before");
    PostMessageA(w, kTrayCallback, 0, WM_RBUTTONDOWN);
    HWND menu = nullptr;
    ASSERT_TRUE((menu = shownWindowOf(app, "#32768")));
    // Misc, its submenu, the second entry.
    for (int i = 0; i < 7; ++i) key(menu, VK_DOWN);
    for (WPARAM vk : {VK_RIGHT, VK_DOWN, VK_RETURN}) {
        pause(200);
        key(menu, vk);
    }
    EXPECT_TRUE(waitFor([] { return clipboardText() != "before"; }, 3000));
    // The processor name, not the empty address label (showip is off) next to it.
    tabrix::win32::Win32Cpuid cpu;
    const std::string brand = tabrix::GetCpuBrandName(cpu);
    ASSERT_FALSE(brand.empty());
    EXPECT_EQ(clipboardText(), brand);
}

TEST_F(Tray, ExitFromTheMenuSavesPositionAndEveryLabelThenEnds) {
    // Exit, the last visible entry.
    expectEndsSavingTheLayout(
        [](const Running& app, HWND w) { ASSERT_TRUE(pickTrayEntry(app, w, tabrix::kMenuExit)); });
}

TEST_F(Tray, CloseBoxHidesThenEndsAndSavesToo) {
    expectEndsSavingTheLayout([](const Running&, HWND w) { PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0); });
}

TEST_F(Tray, ReloadBuildsANewWindowWithItsIconAndAboutShows) {
    Running app(folder);
    HWND w = app.mainWindow();
    ASSERT_TRUE(w);
    ASSERT_TRUE(pickTrayEntry(app, w, tabrix::kMenuReload));
    HWND again = nullptr;
    EXPECT_TRUE(waitFor(
        [&] { return !IsWindow(w) && (again = findWindowOf(app.pid(), "TForm1")) && visible(again); }, 5000));
    ASSERT_TRUE(again);
    EXPECT_TRUE(trayIconExists(again));
    EXPECT_TRUE(app.alive());
    // No close handler ran: nothing was saved.
    EXPECT_EQ(readFile(folder.path("config.ini")), kTrayConfig);

    EXPECT_FALSE(findWindowOf(app.pid(), "TForm2"));  // not built until first shown
    ASSERT_TRUE(pickTrayEntry(app, again, tabrix::kMenuAbout));
    EXPECT_TRUE(shownWindowOf(app, "TForm2", 3000));
}

TEST_F(Tray, RestartedShellGetsTheIconBack) {
    Running app(folder);
    HWND w = app.mainWindow();
    ASSERT_TRUE(w);
    ASSERT_TRUE(trayIconExists(w));
    // The shell forgets the icon, as a restarted one has.
    NOTIFYICONDATAA data{};
    data.cbSize = 88;
    data.hWnd = w;
    Shell_NotifyIconA(NIM_DELETE, &data);
    ASSERT_FALSE(trayIconExists(w));
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    DWORD_PTR result = 0;
    SendMessageTimeoutA(w, taskbarCreated, 0, 0, SMTO_NORMAL, 5000, &result);
    EXPECT_TRUE(trayIconExists(w));
}

TEST_F(Tray, AReloadAskedForWhileAMessageBoxIsUpWaitsForTheHandlerToReturn) {
    SetFileAttributesA(folder.path("config.ini").c_str(), FILE_ATTRIBUTE_READONLY);
    Running app(folder);
    HWND w = app.mainWindow();
    ASSERT_TRUE(w);
    SetWindowPos(w, nullptr, 90, 95, 0, 0, SWP_NOSIZE | SWP_NOZORDER);  // a position to save
    pause(200);
    ASSERT_TRUE(pickTrayEntry(app, w, tabrix::kMenuSavePosition));  // the refused write shows its message box
    HWND box = nullptr;
    ASSERT_TRUE((box = shownWindowOf(app, "#32770")));
    // The box's own message loop still delivers the tray menu, and Reload from it.
    ASSERT_TRUE(pickTrayEntry(app, w, tabrix::kMenuReload));
    pause(500);
    EXPECT_TRUE(IsWindow(w)) << "the window was rebuilt under the handler that shows the box";
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    HWND again = nullptr;
    EXPECT_TRUE(
        waitFor([&] { return !IsWindow(w) && (again = findWindowOf(app.pid(), "TForm1")) && visible(again); },
                15000));
    EXPECT_TRUE(app.alive());
}

namespace {
std::string at(int x, int y) {
    return std::to_string(x) + " " + std::to_string(y);
}
}  // namespace

TEST_F(Tray, TheRightButtonDragsOnlyWhileHeldItsClickOpensTheMenuAndExitThenEnds) {
    Running app(folder);
    HWND w = app.mainWindow();
    ASSERT_TRUE(w);
    bringToTop(w);
    // The skin's banner strip at the left edge: background, no label on it.
    RECT r = outerRect(w);
    const int x = clientRect(w).left + 8, y = clientRect(w).top + 150;
    ASSERT_TRUE(xdotool("mousemove " + at(x, y) + " sleep 0.2 mousedown 3 sleep 0.2 mousemove " +
                        at(x + 20, y + 5) + " sleep 0.2 mousemove " + at(x + 30, y + 10) +
                        " sleep 0.2 mouseup 3"));
    EXPECT_TRUE(
        waitFor([&] { return outerRect(w).left == r.left + 30 && outerRect(w).top == r.top + 10; }, 2000));
    HWND menu = nullptr;
    ASSERT_TRUE((menu = shownWindowOf(app, "#32768", 3000))) << "the release opens the menu";
    ASSERT_TRUE(xkey("Escape"));
    ASSERT_TRUE(waitFor([&] { return !visible(menu); }, 3000));
    r = outerRect(w);
    ASSERT_TRUE(xmove(x + 130, y + 110));
    pause(300);
    EXPECT_EQ(outerRect(w).left, r.left) << "the window no longer follows the pointer";
    EXPECT_EQ(outerRect(w).top, r.top);

    // A plain right click on the background, then Exit, the menu's last entry.
    ASSERT_TRUE(xclick(x + 30, y + 10, 3));
    ASSERT_TRUE((menu = shownWindowOf(app, "#32768", 3000)));
    EXPECT_EQ(outerRect(w).left, r.left);
    for (int i = 0; i < 9; ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 1);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(WaitForSingleObject(app.process(), 2000), WAIT_OBJECT_0) << "Exit leaves the program running";
}

TEST_F(Tray, HelpOpensTheHelpFileInTheViewer) {
    ASSERT_TRUE(CopyFileA((distDir() + "\\tabrix.chm").c_str(), folder.path("tabrix.chm").c_str(), FALSE));
    Running app(folder);
    HWND w = app.mainWindow();
    ASSERT_TRUE(w);
    ASSERT_TRUE(pickTrayEntry(app, w, tabrix::kMenuHelp));
    HWND viewer = nullptr;
    EXPECT_TRUE(waitFor([&] { return (viewer = FindWindowA("HH Parent", nullptr)) != nullptr; }, 10000));
    closeWindowsOf("HH Parent");
    EXPECT_FALSE(FindWindowA("HH Parent", nullptr));
}

// The real Settings window driven with the mouse and keyboard on the virtual display.
#include <gtest/gtest.h>

#include "e2e_support.h"
#include "x_input.h"

#include <commctrl.h>
#include <shellapi.h>

using namespace e2e;

namespace {

// The interface named, so the chooser starts at the loopback whatever else is up.
const char kConfig[] =
    "[general]\r\nskin=Default\r\nSysTrayIcon=1\r\nalpha=200\r\nShouldGetDisk=1\r\nipinterface=0\r\n"
    "[position]\r\nleft=60\r\ntop=70\r\n";

// A control's own text, asked of the control (GetWindowText does not ask another process's).
std::string textOf(HWND w) {
    char buffer[512] = {};
    SendMessageA(w, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}
bool checked(HWND box) {
    return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// The page's window that holds the controls of tab n (0 General, 1 Advanced, 2 Modules).
HWND pageOf(HWND settings, int n) {
    HWND tab = FindWindowExA(settings, nullptr, WC_TABCONTROLA, nullptr);
    HWND page = nullptr;
    for (int i = 0; i <= n; ++i) page = FindWindowExA(tab, page, "TTabSheet", nullptr);
    return page;
}

// Where tab n's item lies: asked of a tab control of our own with the same size, font and
// items, since another process's control cannot fill in our rectangle.
RECT tabItemRect(HWND tab, int n) {
    RECT size;
    GetClientRect(tab, &size);
    HWND host =
        CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr, nullptr, nullptr);
    HWND replica = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE, 0, 0, size.right,
                                   size.bottom, host, nullptr, nullptr, nullptr);
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
    SendMessageA(replica, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    const char* names[] = {"General", "Advanced", "Modules"};
    for (int i = 0; i < 3; ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(names[i]);
        SendMessageA(replica, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    RECT item{};
    SendMessageA(replica, TCM_GETITEMRECT, n, reinterpret_cast<LPARAM>(&item));
    DestroyWindow(host);
    DeleteObject(font);
    return item;
}

bool clickTab(HWND settings, int n) {
    HWND tab = FindWindowExA(settings, nullptr, WC_TABCONTROLA, nullptr);
    const RECT item = tabItemRect(tab, n);
    POINT p{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(tab, &p);
    return xclick(p.x, p.y) && waitFor([&] { return visible(pageOf(settings, n)); }, 5000);
}

// Clicks the trackbar (giving it the focus) and moves it with keys.
int slide(HWND bar, const std::string& keyNames) {
    xclickOn(bar);
    xkey(keyNames);
    return static_cast<int>(SendMessageA(bar, TBM_GETPOS, 0, 0));
}

HWND mainOf(const Running& app) {
    return findWindowOf(app.pid(), "TForm1");
}

// A click on the main window's caption bar makes it active without touching a label or button.
void activate(HWND main) {
    RECT r;
    GetWindowRect(main, &r);
    xclick(r.left + 30, r.top + 6);
}

// The dialog texture mark is a window property, so another process's window answers too.
bool tabTextured(HWND page) {
    using IsEnabled = BOOL(WINAPI*)(HWND);
    HMODULE uxtheme = LoadLibraryA("uxtheme.dll");
    const auto isEnabled = reinterpret_cast<IsEnabled>(
        reinterpret_cast<void*>(GetProcAddress(uxtheme, "IsThemeDialogTextureEnabled")));
    return page && isEnabled && isEnabled(page);
}

// The text's width in the Settings window's font (Tahoma 8 points at 96 dots per inch).
int tahomaWidth(const char* text) {
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return size.cx;
}

bool openWithF2(const Running& app, HWND& settings) {
    activate(mainOf(app));
    xkey("F2");
    return (settings = shownWindowOf(app, "TForm3")) != nullptr;
}

}  // namespace

TEST(SettingsWindow, F2ThenChangesOnEveryPageAndSaveWriteBothFilesAndRebuildTheMainWindow) {
    ProgramFolder folder(kConfig);
    Running app(folder);
    HWND oldMain = app.mainWindow();
    ASSERT_TRUE(oldMain);
    RECT oldRect;
    GetWindowRect(oldMain, &oldRect);
    HWND settings = nullptr;
    ASSERT_TRUE(openWithF2(app, settings));
    EXPECT_EQ(windowText(settings), "Settings");
    RECT client;
    GetClientRect(settings, &client);
    EXPECT_EQ(client.right, 547);
    EXPECT_EQ(client.bottom, 391);
    EXPECT_TRUE(GetWindowLongA(settings, GWL_EXSTYLE) & WS_EX_TOPMOST);
    HWND general = pageOf(settings, 0);
    ASSERT_TRUE(visible(general));
    screenshot("settings-general.png", settings);

    // General: Transparency, Show External IP, the slider and the IP interval.
    HWND transparency = childAt(general, "Button", 211, 32);
    ASSERT_TRUE(transparency);
    EXPECT_FALSE(checked(transparency));
    xclickOn(transparency);
    EXPECT_TRUE(waitFor([&] { return checked(transparency); }, 3000));
    HWND showIp = childAt(general, "Button", 211, 164);
    HWND interval = childAt(general, "Edit", 211, 188);
    ASSERT_TRUE(showIp && interval);
    EXPECT_FALSE(IsWindowEnabled(interval));
    xclickOn(showIp);
    ASSERT_TRUE(waitFor([&] { return IsWindowEnabled(interval) != FALSE; }, 3000));
    xclickOn(interval);
    xkey("End shift+Home BackSpace 3 0 0 0 0");
    EXPECT_TRUE(waitFor([&] { return textOf(interval) == "30000"; }, 3000)) << textOf(interval);
    HWND bar = childAt(general, "msctls_trackbar32", 128, 56);
    ASSERT_TRUE(bar);
    EXPECT_EQ(SendMessageA(bar, TBM_GETPOS, 0, 0), 200);
    const int alpha = slide(bar, "Home Right Right Right");
    EXPECT_EQ(alpha, 3);
    EXPECT_TRUE(waitFor([&] { return layeredAttributes(oldMain).alpha == 3; }, 3000));  // the live preview

    // Advanced: the help line follows the pointer over a caption.
    ASSERT_TRUE(clickTab(settings, 1));
    HWND advanced = pageOf(settings, 1);
    HWND help = childAt(settings, "Static", 8, 356);
    ASSERT_TRUE(help);
    HWND trayCaption = childWithText(advanced, "Static", "Show systray icon");
    ASSERT_TRUE(trayCaption);
    RECT r;
    GetWindowRect(trayCaption, &r);
    ASSERT_TRUE(xmove(r.left + 10, r.top + 6));
    EXPECT_TRUE(waitFor(
        [&] { return windowText(help) == "Uncheck this if you do not want a systray icon for Tabrix"; },
        3000))
        << windowText(help);
    screenshot("settings-advanced.png", settings);

    // Modules: a module off, drives C: and D: chosen with a click and a Ctrl-click.
    ASSERT_TRUE(clickTab(settings, 2));
    HWND modules = pageOf(settings, 2);
    HWND windowsVersion = childWithText(modules, "Button", "Windows Version");
    ASSERT_TRUE(windowsVersion);
    EXPECT_TRUE(checked(windowsVersion));
    xclickOn(windowsVersion);
    EXPECT_TRUE(waitFor([&] { return !checked(windowsVersion); }, 3000));
    HWND graphs = childWithText(modules, "Button", "Graphs");
    ASSERT_TRUE(graphs);
    EXPECT_FALSE(checked(graphs));  // no key: off
    xclickOn(graphs);
    EXPECT_TRUE(waitFor([&] { return checked(graphs); }, 3000));
    // The interface chooser (moved right of D/U Monitor's caption as the font needs): the lower
    // arrow raises the number, the upper one lowers it.
    HWND updown = FindWindowExA(modules, nullptr, "msctls_updown32", nullptr);
    HWND number = FindWindowExA(modules, nullptr, "Edit", nullptr);
    ASSERT_TRUE(updown && number);
    EXPECT_EQ(textOf(number), "0");
    RECT arrows;
    GetWindowRect(updown, &arrows);
    POINT at{arrows.left, arrows.top};
    ScreenToClient(modules, &at);
    HWND description = childAt(modules, "Static", at.x + 24, at.y + 2);  // centred on its row
    ASSERT_TRUE(description);
    const int middle = (arrows.left + arrows.right) / 2;
    xclick(middle, arrows.bottom - 3);
    EXPECT_TRUE(waitFor([&] { return textOf(number) == "1"; }, 3000)) << textOf(number);
    const std::string second = textOf(description);
    xclick(middle, arrows.top + 3);
    EXPECT_TRUE(waitFor([&] { return textOf(number) == "0"; }, 3000)) << textOf(number);
    const std::string first = textOf(description);
    // The same from the keyboard: D/U Monitor (clicked off, Space on again), Tab to the chooser,
    // Down and Up.
    HWND traffic = childWithText(modules, "Button", "D/U Monitor");
    ASSERT_TRUE(traffic);
    xclickOn(traffic);
    xkey("space Tab Down");
    EXPECT_TRUE(waitFor([&] { return textOf(number) == "1"; }, 3000)) << textOf(number);
    EXPECT_EQ(textOf(description), second);
    EXPECT_TRUE(checked(traffic));
    xkey("Up");
    EXPECT_TRUE(waitFor([&] { return textOf(number) == "0"; }, 3000)) << textOf(number);
    EXPECT_EQ(textOf(description), first);
    HWND drives = FindWindowExA(modules, nullptr, "ListBox", nullptr);
    ASSERT_TRUE(visible(drives));
    EXPECT_EQ(SendMessageA(drives, LB_GETCOUNT, 0, 0), 26);
    const int rowHeight = static_cast<int>(SendMessageA(drives, LB_GETITEMHEIGHT, 0, 0));
    const int top = static_cast<int>(SendMessageA(drives, LB_GETTOPINDEX, 0, 0));
    POINT c{20, (2 - top) * rowHeight + rowHeight / 2};
    ClientToScreen(drives, &c);
    ASSERT_TRUE(xclick(c.x, c.y));
    ASSERT_TRUE(xdotool("mousemove " + std::to_string(c.x) + " " + std::to_string(c.y + rowHeight) +
                        " keydown ctrl click 1 keyup ctrl"));
    EXPECT_TRUE(waitFor([&] { return SendMessageA(drives, LB_GETSELCOUNT, 0, 0) == 2; }, 3000));
    screenshot("settings-modules.png", settings);

    // Save: the short interval's message box, then both files and a new main window.
    xclickOn(childWithText(settings, "Button", "Save"));
    HWND box = nullptr;
    ASSERT_TRUE((box = shownWindowOf(app, "#32770")));
    EXPECT_TRUE(
        childWithText(box, "Static", "You cannot update IP address in intervals of less than 1 minute."));
    xkey("Return");
    ASSERT_TRUE(waitFor([&] { return !visible(settings); }, 5000));
    HWND newMain = nullptr;
    ASSERT_TRUE(
        waitFor([&] { return (newMain = mainOf(app)) && newMain != oldMain && visible(newMain); }, 10000));
    EXPECT_EQ(textOf(interval), "60000");

    const std::string ini = readFile(folder.path("config.ini"));
    for (const char* line : {"ipinterface=0", "transparent=1", "alpha=3", "showip=1", "ipinterval=60000",
                             "SysTrayIcon=1", "CheckBox13=False", "CheckBox14=True", "CheckBox32=True"})
        EXPECT_NE(ini.find(std::string("\r\n") + line + "\r\n"), std::string::npos) << line << "\n" << ini;
    EXPECT_EQ(readFile(folder.path("drives.inf")), "3\r\n4\r\n");
    const Layered l = layeredAttributes(newMain);
    EXPECT_TRUE(l.ok);
    EXPECT_EQ(l.alpha, 3);
    EXPECT_EQ(l.flags, static_cast<DWORD>(LWA_ALPHA | LWA_COLORKEY));
    RECT newRect;
    GetWindowRect(newMain, &newRect);
    EXPECT_EQ(newRect.right - newRect.left, oldRect.right - oldRect.left);
    EXPECT_EQ(newRect.bottom - newRect.top, oldRect.bottom - oldRect.top);
    EXPECT_EQ(newRect.left, 60);
    EXPECT_TRUE(trayIconExists(newMain));
    EXPECT_FALSE(IsWindow(oldMain));
}

TEST(SettingsWindow, TheMenuOpensItCloseAndEscapeHideItAndCloseAfterAPreviewRestoresTheFile) {
    ProgramFolder folder(kConfig);
    Running app(folder);
    HWND main = app.mainWindow();
    ASSERT_TRUE(main);
    // A right click on a label (client 36, 44) asks for the menu.
    POINT label{36, 44};
    ClientToScreen(main, &label);
    xclick(label.x, label.y, 3);
    HWND menu = nullptr;
    ASSERT_TRUE((menu = shownWindowOf(app, "#32768")));
    xkey("Down Down Down Return");
    HWND settings = nullptr;
    ASSERT_TRUE((settings = shownWindowOf(app, "TForm3")));
    // Each page takes the tab's body as its background where a visual style draws one.
    for (int n = 0; n < 3; ++n) EXPECT_TRUE(tabTextured(pageOf(settings, n))) << "page " << n;
    // The skin list shows a skin's whole file name beside its button.
    HWND skins = childAt(pageOf(settings, 0), "ComboBox", 136, 8);
    ASSERT_TRUE(skins);
    RECT box;
    GetClientRect(skins, &box);
    EXPECT_GE(box.right - GetSystemMetrics(SM_CXVSCROLL) - 6, tahomaWidth("Graphite.bmp"));

    // Close with no preview leaves the main window as it is.
    xclickOn(childWithText(settings, "Button", "Close"));
    ASSERT_TRUE(waitFor([&] { return !visible(settings); }, 3000));
    Sleep(500);
    EXPECT_EQ(mainOf(app), main);

    // Escape closes too.
    ASSERT_TRUE(openWithF2(app, settings));
    xkey("Escape");
    ASSERT_TRUE(waitFor([&] { return !visible(settings); }, 3000));
    Sleep(500);
    EXPECT_EQ(mainOf(app), main);

    ASSERT_TRUE(openWithF2(app, settings));
    HWND bar = childAt(pageOf(settings, 0), "msctls_trackbar32", 128, 56);
    ASSERT_TRUE(bar);
    EXPECT_EQ(slide(bar, "End"), 255);
    EXPECT_TRUE(waitFor([&] { return !(layeredAttributes(main).flags & LWA_ALPHA); }, 3000));  // blending off
    xclickOn(childWithText(settings, "Button", "Close"));
    ASSERT_TRUE(waitFor([&] { return !visible(settings); }, 3000));
    HWND rebuilt = nullptr;
    ASSERT_TRUE(
        waitFor([&] { return (rebuilt = mainOf(app)) && rebuilt != main && visible(rebuilt); }, 10000));
    const Layered l = layeredAttributes(rebuilt);
    EXPECT_TRUE(l.ok);
    EXPECT_EQ(l.alpha, 200);
    EXPECT_NE(readFile(folder.path("config.ini")).find("\r\nalpha=200\r\n"), std::string::npos);
}

TEST(SettingsWindow, TheTemperatureBoxTakesNoKeyAndInsAndDelSayWhatTheyDid) {
    ProgramFolder folder(kConfig);
    Running app(folder);
    ASSERT_TRUE(app.mainWindow());
    HWND settings = nullptr;
    ASSERT_TRUE(openWithF2(app, settings));
    auto waitBox = [&](const char* text) {
        HWND box = nullptr;
        const bool up = (box = shownWindowOf(app, "#32770")) != nullptr;
        const bool said = up && childWithText(box, "Static", text) != nullptr;
        if (up) {
            xkey("Return");
            waitFor([&] { return !visible(box); }, 3000);
        }
        return said;
    };

    // Ins twice, Del twice: the second Del finds nothing and says nothing.
    HWND general = pageOf(settings, 0);
    HWND ins = childWithText(general, "Button", "Ins");
    HWND del = childWithText(general, "Button", "Del");
    ASSERT_TRUE(ins && del);
    for (int i = 0; i < 2; ++i) {
        xclickOn(ins);
        EXPECT_TRUE(waitBox("Tabrix will now start during startup."));
    }
    xclickOn(del);
    EXPECT_TRUE(waitBox("Tabrix was removed from startup"));
    xclickOn(del);
    Sleep(1000);
    EXPECT_FALSE(visible(findWindowOf(app.pid(), "#32770")));

    // A key typed into the temperature box: the message, then "*C" again.
    ASSERT_TRUE(clickTab(settings, 1));
    HWND combo = FindWindowExA(pageOf(settings, 1), nullptr, "ComboBox", nullptr);
    ASSERT_TRUE(combo);
    xclickOn(combo);
    xkey("x");
    HWND box = nullptr;
    ASSERT_TRUE((box = shownWindowOf(app, "#32770")));
    EXPECT_TRUE(childWithText(box, "Static", "You can only choose from 2 options!"));
    EXPECT_EQ(windowText(box), "");
    xkey("Return");
    EXPECT_TRUE(waitFor([&] { return !visible(box); }, 3000));
    EXPECT_EQ(textOf(combo), "*C");

    // Every key the box would act on, and the wheel, does the same.
    RECT r;
    GetWindowRect(combo, &r);
    for (const std::string keys : {"Down", "F4", "alt+Down", "wheel"}) {
        xclickOn(combo);
        if (keys == "wheel")
            xclick((r.left + r.right) / 2, (r.top + r.bottom) / 2, 5);
        else
            xkey(keys);
        EXPECT_TRUE(waitBox("You can only choose from 2 options!")) << keys;
        EXPECT_EQ(textOf(combo), "*C") << keys;
    }
    // Only a pick from the dropped list with the mouse chooses "*F".
    const int item = static_cast<int>(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0));
    xclick(r.right - 8, (r.top + r.bottom) / 2);
    Sleep(300);
    xclick(r.left + 15, r.bottom + 1 + item + item / 2);
    EXPECT_TRUE(waitFor([&] { return textOf(combo) == "*F"; }, 3000)) << textOf(combo);
    EXPECT_FALSE(visible(findWindowOf(app.pid(), "#32770")));
}

// The About window against the real window system: its kind, size and controls, the
// banner it paints, the dialog keys, the link under the real pointer, refused resizes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../screen_colours.h"
#include "../test_support.h"
#include "platform/ShellApi.h"
#include "platform/win32/Win32Platform.h"
#include "windows/about/AboutView_win.h"

using namespace tabrix;
using namespace tabrix::win32;
using tabrix::test::bluish;
using tabrix::test::readTestFile;
using tabrix::test::reddish;

namespace {

// Records what the link asks the shell for; nothing is opened.
class RecordingShell : public Shell {
public:
    void execute(const std::string& file, const std::string&, const std::string&, int) override {
        calls.push_back("execute " + file);
    }
    void open(const std::string& document, int showCommand) override {
        calls.push_back("open " + document + " " + std::to_string(showCommand));
    }
    std::vector<std::string> calls;
};

uint32_t screenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

RECT screenRect(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r;
}

// How many pixels of a window's area pass a test, read from the screen.
template <typename F>
int countPixels(HWND w, F test) {
    const RECT r = screenRect(w);
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += test(screenPixel(x, y)) ? 1 : 0;
    return n;
}

class AboutViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetCursorPos(1000, 900);
        form = std::make_unique<TForm2>(&shell, &measure, 96);
        form->FormCreate(VersionInfo{5, 1, 2600, 2, "Service Pack 3"});
        form->loadBanner(readTestFile("two_blocks.jpg"));
        view = std::make_unique<AboutView>(
            GetModuleHandleA(nullptr), nullptr, LoadIconA(nullptr, IDI_APPLICATION),
            [this](const std::exception* e) { errors.push_back(e ? e->what() : "?"); });
        view->create(*form);
        ASSERT_TRUE(view->hwnd());
    }
    void TearDown() override {
        view.reset();
        EXPECT_TRUE(errors.empty());
    }

    // The message loop as the program runs it: dialog keys first.
    void pump(int ms) {
        const DWORD end = GetTickCount() + ms;
        do {
            MSG m;
            while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
                if (view->dialogMessage(m)) continue;
                TranslateMessage(&m);
                DispatchMessageA(&m);
            }
            Sleep(10);
        } while (static_cast<int>(end - GetTickCount()) > 0);
    }
    template <typename F>
    bool waitFor(F done, int ms = 5000) {
        for (int waited = 0; waited <= ms; waited += 50) {
            if (done()) return true;
            pump(50);
        }
        return false;
    }
    void showAbout() {
        form->show();
        view->present();
        ASSERT_TRUE(waitFor([&] { return IsWindowVisible(view->hwnd()) != FALSE; }));
        pump(300);
    }
    HWND staticText(const char* text) { return FindWindowExA(view->hwnd(), nullptr, "Static", text); }
    POINT clientPlace(HWND control) {
        RECT r = screenRect(control);
        POINT p{r.left, r.top};
        ScreenToClient(view->hwnd(), &p);
        return p;
    }
    void key(HWND target, WPARAM vk) {
        PostMessageA(target, WM_KEYDOWN, vk, 1);
        PostMessageA(target, WM_KEYUP, vk, 0xC0000001);
    }

    RecordingShell shell;
    Win32TextMeasure measure;
    std::unique_ptr<TForm2> form;
    std::unique_ptr<AboutView> view;
    std::vector<std::string> errors;
};

}  // namespace

TEST_F(AboutViewTest, DialogOfTheDesignedSizeAndPlaceWithItsControls) {
    HWND w = view->hwnd();
    EXPECT_FALSE(IsWindowVisible(w));  // built hidden
    char cls[32] = {}, caption[32] = {};
    GetClassNameA(w, cls, sizeof cls);
    GetWindowTextA(w, caption, sizeof caption);
    EXPECT_STREQ("TForm2", cls);
    EXPECT_STREQ("About", caption);
    const LONG style = GetWindowLongA(w, GWL_STYLE), ex = GetWindowLongA(w, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_TRUE(ex & WS_EX_DLGMODALFRAME);
    RECT c{};
    GetClientRect(w, &c);
    EXPECT_EQ(552, c.right);
    EXPECT_EQ(359, c.bottom);
    const RECT r = screenRect(w);
    EXPECT_EQ(104, r.left);
    EXPECT_EQ(193, r.top);

    struct Place {
        const char* text;
        int left, top;
    };
    for (const Place& p : {Place{"Tabrix System Monitor", 80, 72}, Place{"Version 0.50", 80, 88},
                           Place{"Designed for Microsoft Windows 2000, XP", 80, 104},
                           Place{"Your are currently running:", 80, 152}, Place{"Tabrix website", 8, 336}}) {
        HWND control = staticText(p.text);
        ASSERT_TRUE(control) << p.text;
        EXPECT_EQ(p.left, clientPlace(control).x) << p.text;
        EXPECT_EQ(p.top, clientPlace(control).y) << p.text;
    }
    HWND system = staticText("Microsoft Windows XP Build 2600 Service Pack 3");
    ASSERT_TRUE(system);
    EXPECT_EQ(152, clientPlace(system).y);
    // Never over its caption, and nothing past the right edge, whatever the font's width.
    POINT captionEnd{screenRect(staticText("Your are currently running:")).right, 0};
    ScreenToClient(w, &captionEnd);
    EXPECT_GE(clientPlace(system).x, 216);
    EXPECT_GE(clientPlace(system).x, captionEnd.x);
    HWND publisher = staticText("Ostrel Studio");
    ASSERT_TRUE(publisher);
    POINT publisherEnd{screenRect(publisher).right, 0};
    ScreenToClient(w, &publisherEnd);
    EXPECT_LE(publisherEnd.x, 552);
    EXPECT_EQ(8, clientPlace(publisher).y);

    HWND ok = FindWindowExA(w, nullptr, "Button", "OK");
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok, view->button());
    EXPECT_EQ(480, clientPlace(ok).x);
    EXPECT_EQ(328, clientPlace(ok).y);
    const RECT b = screenRect(ok);
    EXPECT_EQ(65, b.right - b.left);
    EXPECT_EQ(25, b.bottom - b.top);
    EXPECT_TRUE(GetWindowLongA(ok, GWL_STYLE) & BS_DEFPUSHBUTTON);
}

TEST_F(AboutViewTest, PaintsTheDecodedBannerAndTheIcon) {
    showAbout();
    POINT origin{0, 0};
    ClientToScreen(view->hwnd(), &origin);
    // The test picture: a red block on the left half, a blue one on the right (32 x 16).
    EXPECT_TRUE(reddish(screenPixel(origin.x + 4, origin.y + 8)))
        << std::hex << screenPixel(origin.x + 4, origin.y + 8);
    EXPECT_TRUE(bluish(screenPixel(origin.x + 28, origin.y + 8)))
        << std::hex << screenPixel(origin.x + 28, origin.y + 8);
    // The icon's 32 x 32 place is not all window colour.
    const uint32_t face = screenPixel(origin.x + 300, origin.y + 250);
    int drawn = 0;
    for (int y = 72; y < 104; ++y)
        for (int x = 16; x < 48; ++x) drawn += screenPixel(origin.x + x, origin.y + y) != face ? 1 : 0;
    EXPECT_GT(drawn, 100);
}

TEST_F(AboutViewTest, OkEnterAndEscHideItAndTheButtonHasTheFocus) {
    showAbout();
    EXPECT_EQ(view->button(), GetFocus());
    key(view->button(), VK_ESCAPE);
    EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(view->hwnd()); }));
    EXPECT_FALSE(form->visible);

    showAbout();
    EXPECT_EQ(view->button(), GetFocus());
    key(view->button(), VK_RETURN);
    EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(view->hwnd()); }));

    showAbout();
    key(view->button(), VK_SPACE);
    EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(view->hwnd()); }));

    showAbout();
    SendMessageA(view->hwnd(), WM_CLOSE, 0, 0);  // the close box
    EXPECT_FALSE(IsWindowVisible(view->hwnd()));
    EXPECT_FALSE(form->visible);
    EXPECT_TRUE(shell.calls.empty());
}

TEST_F(AboutViewTest, ResizesAreRefusedMinimizeAndRestoreWork) {
    showAbout();
    HWND w = view->hwnd();
    const RECT before = screenRect(w);
    SetWindowPos(w, nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER);
    MoveWindow(w, 150, 160, 300, 200, TRUE);
    const RECT after = screenRect(w);
    EXPECT_EQ(before.right - before.left, after.right - after.left);
    EXPECT_EQ(before.bottom - before.top, after.bottom - after.top);
    EXPECT_EQ(150, after.left);  // moving is fine

    ShowWindow(w, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(w));
    // Showing it again restores it at its size.
    view->present();
    pump(200);
    EXPECT_FALSE(IsIconic(w));
    RECT c{};
    GetClientRect(w, &c);
    EXPECT_EQ(552, c.right);
    EXPECT_EQ(359, c.bottom);
}

TEST_F(AboutViewTest, LinkTurnsRedUnderThePointerBlueAfterAndOpensTheSite) {
    showAbout();
    HWND link = view->link();
    ASSERT_EQ(link, staticText("Tabrix website"));
    EXPECT_GT(countPixels(link, bluish), 10);
    EXPECT_EQ(0, countPixels(link, reddish));

    const RECT r = screenRect(link);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ASSERT_TRUE(waitFor([&] { return form->Label21.font.color == 0x0000FFu; }));
    pump(200);
    EXPECT_GT(countPixels(link, reddish), 10);
    EXPECT_EQ(LoadCursor(nullptr, IDC_HAND), GetCursor());
    SetCursorPos(r.right + 200, r.top - 150);
    ASSERT_TRUE(waitFor([&] { return form->Label21.font.color == 0xFF0000u; }));

    // A press and a release on the link is a click; a release elsewhere is not.
    const LPARAM inside = MAKELPARAM(3, 3);
    PostMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    PostMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(500, 3));
    pump(200);
    EXPECT_TRUE(shell.calls.empty());
    PostMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    PostMessageA(link, WM_LBUTTONUP, 0, inside);
    ASSERT_TRUE(waitFor([&] { return !shell.calls.empty(); }));
    EXPECT_EQ((std::vector<std::string>{"open http://tabrix.ostrel-studio.example/ 1"}), shell.calls);
    EXPECT_TRUE(IsWindowVisible(view->hwnd()));
}

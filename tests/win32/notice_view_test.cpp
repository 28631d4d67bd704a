// The error notice against the real window system: the window's kind and place, what it
// paints, and clicks and ticks that close it and record lasterror in a real config.ini.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/Win32Files.h"
#include "test_helpers.h"
#include "windows/notice/ErrorNoticeView_win.h"

using namespace tabrix;
using namespace tabrix::win32;

namespace {

constexpr uint32_t kPaleYellow = 0xFFFFDE;
constexpr uint32_t kSignYellow = 0xFFCC00;

// A balloon of the design's shape: pale yellow body, white around it.
Pixels balloonPicture() {
    Pixels p{kNoticeWidth, kNoticeHeight, {}};
    p.data.assign(static_cast<size_t>(p.width) * p.height, 0xFFFFFF);
    for (int y = 9; y <= 85; ++y)
        for (int x = 6; x <= 242; ++x) p.data[static_cast<size_t>(y) * p.width + x] = kPaleYellow;
    return p;
}

// A yellow square on magenta, with a magenta border two pixels wide.
Pixels warningPicture() {
    Pixels p{24, 24, {}};
    p.data.assign(24 * 24, 0xFF00FFu);
    for (int y = 2; y < 22; ++y)
        for (int x = 2; x < 22; ++x) p.data[static_cast<size_t>(y) * 24 + x] = kSignYellow;
    return p;
}

class NoticeView : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TForm4>(files, dir);
        view = std::make_unique<ErrorNoticeView>(
            GetModuleHandleA(nullptr), nullptr,
            [](const Scale&) {
                return NoticePictures{balloonPicture(), warningPicture()};
            },
            [this](const std::exception* e) { errors.push_back(e ? e->what() : "?"); });
        view->create(*form);
    }
    void TearDown() override { view.reset(); }
    std::string lastError() {
        char text[512] = {};
        GetPrivateProfileStringA("general", "lasterror", "(none)", text, sizeof text,
                                 (dir + "config.ini").c_str());
        return text;
    }
    void show(const std::string& message, int left = 300, int top = 400) {
        form->ShowErrorDialog(message, left, top);
        view->sync();
    }
    void clickAt(int x, int y) {
        const LPARAM at = MAKELPARAM(x, y);
        SendMessageA(view->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(view->hwnd(), WM_LBUTTONUP, 0, at);
    }
    // The client area as the view paints it, 0x00RRGGBB per pixel.
    std::vector<uint32_t> painted() { return test::clientPixels(view->hwnd()).data; }
    static uint32_t at(const std::vector<uint32_t>& px, int x, int y) { return px[y * kNoticeWidth + x]; }
    bool visible() { return IsWindowVisible(view->hwnd()) != FALSE; }

    test::ScratchDir scratch{"tabrix-notice"};
    const std::string dir = scratch.dir();
    Win32Files files;
    std::vector<std::string> errors;
    std::unique_ptr<TForm4> form;
    std::unique_ptr<ErrorNoticeView> view;
};

}  // namespace

TEST_F(NoticeView, AHiddenBorderlessTopmostKeyedPopupWithoutTaskbarButton) {
    HWND w = view->hwnd();
    ASSERT_NE(w, nullptr);
    char cls[32] = {};
    GetClassNameA(w, cls, sizeof cls);
    EXPECT_STREQ(cls, "TForm4");
    EXPECT_FALSE(visible());
    const LONG style = GetWindowLongA(w, GWL_STYLE);
    const LONG ex = GetWindowLongA(w, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_BORDER | WS_THICKFRAME));
    EXPECT_EQ(ex & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_LAYERED),
              WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_LAYERED);
    using GetAttributes = BOOL(WINAPI*)(HWND, COLORREF*, BYTE*, DWORD*);
    auto get = reinterpret_cast<GetAttributes>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "GetLayeredWindowAttributes")));
    if (get) {
        COLORREF key = 0;
        BYTE alpha = 0;
        DWORD flags = 0;
        ASSERT_TRUE(get(w, &key, &alpha, &flags));
        EXPECT_EQ(key, RGB(255, 255, 255));
        EXPECT_TRUE(flags & LWA_COLORKEY);
    }
    char text[64] = {};
    GetWindowTextA(w, text, sizeof text);
    EXPECT_STREQ(text, "An Error Occured.");
}

TEST_F(NoticeView, ShownAboveTheMainWindowWithTheMessageAsItsText) {
    show("There was a problem starting Tabrix", 688, 168);
    EXPECT_TRUE(visible());
    RECT r;
    GetWindowRect(view->hwnd(), &r);
    EXPECT_EQ(r.left, 688);
    EXPECT_EQ(r.top, 51);
    EXPECT_EQ(r.right - r.left, 250);
    EXPECT_EQ(r.bottom - r.top, 106);
    char text[64] = {};
    GetWindowTextA(view->hwnd(), text, sizeof text);
    EXPECT_STREQ(text, "There was a problem starting Tabrix");
}

TEST_F(NoticeView, PaintsBalloonSignWithoutItsBackgroundAndTextCutToItsBox) {
    show(std::string(400, 'W') + " " + std::string(30, 'x') + " end of a very long message " +
         std::string(200, 'M'));
    const auto px = painted();
    EXPECT_EQ(at(px, 1, 1), 0xFFFFFFu) << "outside the balloon stays white (see-through)";
    EXPECT_EQ(at(px, 100, 80), kPaleYellow) << "balloon body below the text box";
    EXPECT_EQ(at(px, 16, 16), kPaleYellow) << "the sign's magenta corner is not drawn";
    EXPECT_EQ(at(px, 28, 28), kSignYellow);
    int inside = 0, below = 0, right = 0;
    for (int y = 9; y <= 85; ++y)
        for (int x = 44; x <= 242; ++x) {
            if (at(px, x, y) == kPaleYellow) continue;
            if (y >= 73)
                ++below;
            else if (x >= 236)
                ++right;
            else if (x >= 56 && y >= 15)
                ++inside;
        }
    EXPECT_GT(inside, 100) << "text drawn in its box";
    EXPECT_EQ(below, 0) << "wrapped text beyond 58 pixels is cut off";
    EXPECT_EQ(right, 0) << "nothing drawn right of the 180-pixel box";
}

TEST_F(NoticeView, ClicksOnTextOrBalloonCloseAndRecordTheText) {
    show("Cannot output XML");
    clickAt(20, 20);  // the warning sign has no click
    EXPECT_TRUE(visible());
    clickAt(100, 30);
    EXPECT_FALSE(visible());
    EXPECT_EQ(lastError(), "Cannot output XML");

    show("Cannot output PHP");
    clickAt(200, 80);
    EXPECT_FALSE(visible());
    EXPECT_EQ(lastError(), "Cannot output PHP");
    EXPECT_TRUE(errors.empty());
}

TEST_F(NoticeView, TimerTicksCloseAndAFailedRecordGoesToTheHandler) {
    SendMessageA(view->hwnd(), WM_TIMER, 1, 0);
    EXPECT_EQ(lastError(), "An Error Occured.");
    show("Unable to retrieve IP");
    SendMessageA(view->hwnd(), WM_TIMER, 1, 0);
    EXPECT_FALSE(visible());
    EXPECT_EQ(lastError(), "Unable to retrieve IP");

    show("Cannot output XML");
    SetFileAttributesA((dir + "config.ini").c_str(), FILE_ATTRIBUTE_READONLY);
    SendMessageA(view->hwnd(), WM_TIMER, 1, 0);
    EXPECT_EQ(errors, std::vector<std::string>{"Unable to write to " + dir + "config.ini"});
    EXPECT_TRUE(visible());
}

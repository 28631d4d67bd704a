// The real Tabrix.exe's About window, opened the ways a user opens it (a right click and
// a click on the popup menu's entry; Alt+Space and a click on the system menu's entry),
// its banner on the screen, Esc, and the link under the real pointer.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "../screen_colours.h"
#include "e2e_support.h"
#include "x_input.h"

using namespace e2e;
using tabrix::test::bluish;
using tabrix::test::reddish;

namespace {

// A solid skin so that every click on the window lands on it; stay-on-top with the tool
// caption bar, the only look whose system menu carries "About Tabrix".
const char kAboutConfig[] =
    "[general]\r\nskin=Graphite.bmp\r\ntransparent=0\r\nalpha=255\r\nshowbar=1\r\nontop=1\r\n"
    "showbanner=-1\r\nSysTrayIcon=0\r\n[position]\r\nleft=700\r\ntop=100\r\n";

int difference(uint32_t a, uint32_t b) {
    int d = 0;
    for (int shift : {0, 8, 16})
        d += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
    return d;
}

// Bands of rows [top, bottom) of at least minHeight in which some pixel of the columns
// [from, to) differs from the menu's face colour.
std::vector<std::pair<int, int>> rowBands(HWND menu, int from, int to, int minHeight) {
    const RECT r = outerRect(menu);
    Screenshot shot(r);
    const uint32_t face = shot.at(r.right - 3, r.top + (r.bottom - r.top) / 2);
    std::vector<std::pair<int, int>> bands;
    int start = -1;
    for (int y = r.top + 3; y <= r.bottom - 3; ++y) {
        bool marked = false;
        for (int x = r.left + from; x < r.left + to && y < r.bottom - 3 && !marked; ++x)
            marked = difference(shot.at(x, y), face) > 60;
        if (marked && start < 0) start = y;
        if (!marked && start >= 0) {
            if (y - start >= minHeight) bands.emplace_back(start, y);
            start = -1;
        }
    }
    return bands;
}

// The bands once the menu has painted: the same in two readings, and at least `need`.
std::vector<std::pair<int, int>> settledBands(HWND menu, int from, int to, int minHeight, size_t need) {
    std::vector<std::pair<int, int>> last, now;
    for (int waited = 0; waited < 5000; waited += 200) {
        now = rowBands(menu, from, to, minHeight);
        if (now.size() >= need && now == last) break;
        last = now;
        pause(200);
    }
    return now;
}

HWND openMenu(const Running& app) {
    HWND menu = shownWindowOf(app, "#32768");
    pause(300);
    return menu;
}

template <typename F>
int count(const RECT& r, F test) {
    Screenshot shot(r);
    int n = 0;
    for (uint32_t c : shot.pixels) n += test(c) ? 1 : 0;
    return n;
}

// While it lives, the test prefix opens web addresses with the browser stand-in, which
// logs them: no test ever opens a real address.
class FakeBrowser {
public:
    FakeBrowser(const std::string& exe, const std::string& log) {
        RegCreateKeyExA(HKEY_CLASSES_ROOT, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
        char old[1024] = {};
        DWORD size = sizeof old - 1;
        had_ = RegQueryValueExA(key_, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) ==
               ERROR_SUCCESS;
        old_ = old;
        const std::string command = "\"" + exe + "\" \"" + log + "\" \"%1\"";
        RegSetValueExA(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                       static_cast<DWORD>(command.size() + 1));
    }
    ~FakeBrowser() {
        if (had_)
            RegSetValueExA(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(old_.c_str()),
                           static_cast<DWORD>(old_.size() + 1));
        else
            RegDeleteValueA(key_, nullptr);
        RegCloseKey(key_);
    }

private:
    static constexpr const char* kKey = "http\\shell\\open\\command";
    HKEY key_ = nullptr;
    bool had_ = false;
    std::string old_;
};

}  // namespace

TEST(AboutWindow, OpensFromThePopupMenuShowsTheBannerAndEscClosesIt) {
    ProgramFolder folder(kAboutConfig);
    Running app(folder);
    HWND w = app.mainWindow();
    ASSERT_TRUE(w);
    EXPECT_FALSE(findWindowOf(app.pid(), "TForm2"));  // not built until first shown

    // A right press on the skin moves the window; on the caption bar it asks for the menu.
    const RECT m = outerRect(w);
    ASSERT_TRUE(xclick(m.left + 100, (m.top + clientRect(w).top) / 2, 3));
    HWND menu = openMenu(app);
    ASSERT_TRUE(visible(menu));
    // The entries with pictures: Hide, Reload, Settings, About, ...
    const auto bands = settledBands(menu, 3, 37, 8, 4);
    ASSERT_GE(bands.size(), 4u);
    const RECT mr = outerRect(menu);
    ASSERT_TRUE(xclick(mr.left + 60, (bands[3].first + bands[3].second) / 2));
    HWND about = shownWindowOf(app, "TForm2");  // built when first shown
    ASSERT_TRUE(about);
    EXPECT_FALSE(visible(menu));
    pause(500);

    const RECT a = outerRect(about);
    EXPECT_EQ(104, a.left);
    EXPECT_EQ(193, a.top);
    const RECT client = clientRect(about);
    const POINT o{client.left, client.top};
    Screenshot shot(RECT{o.x, o.y, o.x + 553, o.y + 60});
    // The banner as the JPEG holds it: deep blue on the left, pale on the right, a green
    // rule along its foot; a window without it would be the plain dialog colour.
    const uint32_t left = shot.at(o.x + 4, o.y + 4), right = shot.at(o.x + 540, o.y + 40),
                   foot = shot.at(o.x + 20, o.y + 55);
    EXPECT_LT((left >> 16) & 0xFF, 0x40) << std::hex << left;
    EXPECT_GT(left & 0xFF, 0x40) << std::hex << left;
    EXPECT_GT((right >> 16) & 0xFF, 0xD0) << std::hex << right;
    EXPECT_GT(right & 0xFF, 0xE0) << std::hex << right;
    EXPECT_GT((foot >> 8) & 0xFF, 0x90) << std::hex << foot;
    EXPECT_LT((foot >> 16) & 0xFF, 0x80) << std::hex << foot;
    char text[128] = {};
    GetWindowTextA(FindWindowExA(about, nullptr, "Static", "Tabrix System Monitor"), text, sizeof text);
    EXPECT_STREQ("Tabrix System Monitor", text);

    ASSERT_TRUE(xkey("Escape"));
    EXPECT_TRUE(waitFor([&] { return !visible(about); }, 5000));
    EXPECT_TRUE(visible(w));
}

TEST(AboutWindow, OpensFromTheSystemMenuEntry) {
    ProgramFolder folder(kAboutConfig);
    Running app(folder);
    HWND w = app.mainWindow();
    ASSERT_TRUE(w);

    SetForegroundWindow(w);
    pause(300);
    ASSERT_TRUE(xkey("alt+space"));
    HWND menu = openMenu(app);
    ASSERT_TRUE(visible(menu));
    // "About Tabrix" is the last entry.
    const RECT mr = outerRect(menu);
    const auto bands = settledBands(menu, 20, mr.right - mr.left - 20, 5, 2);
    ASSERT_FALSE(bands.empty());
    ASSERT_TRUE(xclick(mr.left + 40, (bands.back().first + bands.back().second) / 2));
    HWND about = shownWindowOf(app, "TForm2");  // built when first shown
    ASSERT_TRUE(about);
    // The OK button closes it, as a click.
    HWND ok = FindWindowExA(about, nullptr, "Button", "OK");
    ASSERT_TRUE(ok);
    const RECT b = outerRect(ok);
    ASSERT_TRUE(xclick((b.left + b.right) / 2, (b.top + b.bottom) / 2));
    EXPECT_TRUE(waitFor([&] { return !visible(about); }, 5000));
}

TEST(AboutWindow, LinkTurnsRedUnderThePointerAndItsClickOpensTheSite) {
    ProgramFolder folder(kAboutConfig);
    const std::string log = folder.path("browser.log");
    FakeBrowser browser(besideThisTest("browser.exe"), log);
    Running app(folder);
    HWND w = app.mainWindow();
    ASSERT_TRUE(w);
    PostMessageA(w, WM_SYSCOMMAND, 0x401, 0);
    HWND about = shownWindowOf(app, "TForm2");  // built when first shown
    ASSERT_TRUE(about);
    pause(300);
    HWND link = FindWindowExA(about, nullptr, "Static", "Tabrix website");
    ASSERT_TRUE(link);
    const RECT r = outerRect(link);
    EXPECT_GT(count(r, bluish), 10);
    EXPECT_EQ(0, count(r, reddish));

    ASSERT_TRUE(xmove((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    EXPECT_TRUE(waitFor([&] { return count(r, reddish) > 10; }, 3000));
    EXPECT_EQ(0, count(r, bluish));
    ASSERT_TRUE(xmove(r.right + 150, r.top - 120));
    EXPECT_TRUE(waitFor([&] { return count(r, bluish) > 10; }, 3000));
    EXPECT_EQ(0, count(r, reddish));

    EXPECT_EQ("", readFile(log));
    ASSERT_TRUE(xclick(r.left + 5, (r.top + r.bottom) / 2));
    EXPECT_TRUE(waitFor([&] { return !readFile(log).empty(); }, 10000));
    EXPECT_EQ("http://tabrix.ostrel-studio.example/\n", readFile(log));
    EXPECT_TRUE(visible(about));
}

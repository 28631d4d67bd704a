// The history graphs on the real window: a rising load moves the processor graph and
// nothing else, and a graph dragged with the mouse keeps its place through a restart.
#include <gtest/gtest.h>

#include "../test_bitmaps.h"
#include "e2e_support.h"
#include "x_input.h"

using namespace e2e;

namespace {

constexpr uint32_t kSkin = 0xD0D0D0;
// Graph1 as designed: 116 x 36 at 28, 232.
constexpr RECT kCpuGraph{28, 232, 144, 268};

// Graphs on; the modules whose texts change from second to second, the traffic meter among
// them, off, so that only the processor graph moves.
const char kConfig[] =
    "[general]\r\nskin=grey.bmp\r\ntransparent=0\r\nshowbanner=0\r\nshowbar=1\r\nontop=1\r\n"
    "savepositions=1\r\nAllowPositionChange=1\r\n[position]\r\nleft=60\r\ntop=60\r\n"
    "[Modules]\r\nCheckBox11=False\r\nCheckBox14=False\r\nCheckBox15=False\r\nCheckBox16=False\r\n"
    "CheckBox18=False\r\nCheckBox23=False\r\nCheckBox24=False\r\nCheckBox32=True\r\n";

// Pixels of a client rectangle that are not the skin, and of those the dark ones.
struct Marks {
    int drawn = 0;
    int dark = 0;
};
Marks marks(const Screenshot& shot, const RECT& c, int left, int top, int right, int bottom) {
    Marks m;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const uint32_t p = shot.at(c.left + x, c.top + y);
            m.drawn += p != kSkin;
            m.dark += isDark(p);
        }
    return m;
}

std::string at(const RECT& c, int x, int y) {
    return std::to_string(c.left + x) + " " + std::to_string(c.top + y);
}

}  // namespace

TEST(Graphs, ARisingLoadMovesOnlyTheCpuGraphAndADraggedGraphKeepsItsPlace) {
    ProgramFolder folder(kConfig);
    folder.write("skins\\grey.bmp", tabrix::test::bmp24Skin(271, 305, kSkin));
    {
        Running app(folder);
        HWND w = app.mainWindow();
        ASSERT_TRUE(w);
        bringToTop(w, 2500);  // a few values, at the right edge
        HANDLE busy = startBesideThisTest("busy_loop.exe", "9000");
        ASSERT_TRUE(busy);
        pause(2500);
        const RECT c = clientRect(w);
        Screenshot a(c);
        pause(3000);
        Screenshot b(c);
        const int width = c.right - c.left;
        int inside = 0, outside = 0;
        for (size_t i = 0; i < a.pixels.size(); ++i) {
            if (a.pixels[i] == b.pixels[i]) continue;
            const POINT p{static_cast<LONG>(i % width), static_cast<LONG>(i / width)};
            (PtInRect(&kCpuGraph, p) ? inside : outside)++;
        }
        EXPECT_GT(inside, 0) << "the graph moves on with each tick";
        EXPECT_EQ(outside, 0) << "nothing else changes";
        // The busy loop's ticks stand in the upper half (one of at most two processors busy).
        EXPECT_GT(marks(b, c, kCpuGraph.left, kCpuGraph.top, kCpuGraph.right, kCpuGraph.top + 18).dark, 0);
        WaitForSingleObject(busy, 15000);
        CloseHandle(busy);

        // Dragged 20 right and 6 down with the mouse; the window stays where it is.
        const RECT before = clientRect(w);
        ASSERT_TRUE(xdotool("mousemove " + at(c, 60, 250) + " sleep 0.2 mousedown 1 sleep 0.2 mousemove " +
                            at(c, 70, 253) + " sleep 0.2 mousemove " + at(c, 80, 256) +
                            " sleep 0.2 mouseup 1 sleep 0.2 mousemove " + at(c, 300, 40)));
        const RECT after = clientRect(w);
        EXPECT_EQ(before.left, after.left);
        EXPECT_EQ(before.top, after.top);
        EXPECT_TRUE(app.close());
    }
    const std::string ini = readFile(folder.path("config.ini"));
    EXPECT_NE(ini.find("Graph1left=48\r\nGraph1top=238\r\n"), std::string::npos) << ini;

    Running again(folder);
    HWND w = again.mainWindow();
    ASSERT_TRUE(w);
    const Screenshot shot = clientOnTop(w, 1500);
    const RECT c = shot.area;
    // The baseline along the graph's new bottom row, none left at the old place's start.
    EXPECT_GT(marks(shot, c, 48, 273, 164, 274).drawn, 100);
    EXPECT_EQ(marks(shot, c, 28, 232, 48, 268).drawn, 0);
}

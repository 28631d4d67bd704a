// The program folder as shipped: its first-run config.ini must give a solid, readable
// panel whatever the desktop behind it looks like.
#include <gtest/gtest.h>

#include "e2e_support.h"

using namespace e2e;

namespace {

// Dark, and no colour the panel, its texts or its graphs use: where it shows, the panel is not.
constexpr COLORREF kDesktop = RGB(0, 0, 0x80);

}  // namespace

TEST(FirstRun, TheShippedSettingsShowASolidPanelWithDarkTextOnADarkDesktop) {
    const std::string shipped = readFile(std::string("Z:") + TABRIX_ASSETS + "/config.ini");
    ASSERT_NE(shipped.find("[general]\r\n"), std::string::npos);
    ProgramFolder folder(shipped.c_str());
    TestWindow desktop(wholeScreen(), kDesktop, TestWindow::Place::Behind);
    Running app(folder);
    HWND w = app.mainWindow();
    ASSERT_TRUE(w);
    const Screenshot shot = clientOnTop(w, 1500);
    const RECT c = shot.area;

    // The panel beside the values is solid and light, not the desktop showing through (above
    // the graphs, whose lines may cross there). A long value (the uptime past ten hours) may
    // reach into it in dark letters, so: no desktop at all, and light nearly everywhere.
    int light = 0, seeThrough = 0, sampled = 0;
    for (int y = 60; y <= 228; y += 4)
        for (int x = 240; x <= 258; x += 3, ++sampled) {
            const uint32_t p = shot.at(c.left + x, c.top + y);
            light += isLight(p);
            seeThrough += (p & 0xFFFFFF) == 0x000080u;
        }
    EXPECT_EQ(seeThrough, 0);
    EXPECT_GT(light * 10, sampled * 9);
    // "CPU Usage:" at 32, 40 in dark letters on it.
    int dark = 0, lightAround = 0;
    for (int y = 40; y < 52; ++y)
        for (int x = 32; x < 82; ++x) {
            dark += isDark(shot.at(c.left + x, c.top + y));
            lightAround += isLight(shot.at(c.left + x, c.top + y));
        }
    EXPECT_GT(dark, 40);
    EXPECT_GT(lightAround, 200);
}

// A main window that no screen shows comes back onto the nearest one; one that any screen
// shows, even partly, stays.
#include "config/IniFile.h"
#include "startup_fixture.h"
#include "windows/main/OnScreen.h"

namespace tabrix::test {
namespace {

WindowPlace place(int left, int top, int width = 100, int height = 50) {
    return {left, top, width, height};
}

::testing::AssertionResult at(const WindowPlace& got, int left, int top) {
    if (got.left == left && got.top == top) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "at " << got.left << ", " << got.top;
}

}  // namespace

TEST(OnScreen, MovesOnlyAWindowNoWorkAreaShows) {
    const std::vector<ScreenRect> one{{0, 0, 1024, 738}};
    // No work area known: left alone.
    EXPECT_TRUE(at(keptOnScreen(place(3000, 2000), {}), 3000, 2000));
    // Partly on the screen, by a pixel on either side, stays.
    EXPECT_TRUE(at(keptOnScreen(place(1023, 737), one), 1023, 737));
    EXPECT_TRUE(at(keptOnScreen(place(-99, -49), one), -99, -49));
    // Exactly at an edge, touching but not overlapping, is off the screen.
    EXPECT_TRUE(at(keptOnScreen(place(1024, 100), one), 924, 100));
    EXPECT_TRUE(at(keptOnScreen(place(100, -50), one), 100, 0));
    // Far off: into the nearest corner, whole; the taskbar's strip is not the work area.
    EXPECT_TRUE(at(keptOnScreen(place(3000, 2000), one), 924, 688));
    EXPECT_TRUE(at(keptOnScreen(place(-5000, 300), one), 0, 300));
    // Larger than the work area: its top-left corner at the area's.
    EXPECT_TRUE(at(keptOnScreen(place(2000, 2000, 1500, 900), one), 0, 0));

    // Two monitors side by side and one above: the nearest takes it, the others keep theirs.
    const std::vector<ScreenRect> three{{0, 0, 1280, 1024}, {1280, 0, 2560, 1024}, {0, -768, 1024, 0}};
    EXPECT_TRUE(at(keptOnScreen(place(2000, 500), three), 2000, 500));
    EXPECT_TRUE(at(keptOnScreen(place(500, -700), three), 500, -700));
    EXPECT_TRUE(at(keptOnScreen(place(3000, 500), three), 2460, 500));
    EXPECT_TRUE(at(keptOnScreen(place(1100, -600), three), 924, -600));
    EXPECT_TRUE(at(keptOnScreen(place(1400, 2000), three), 1400, 974));
    EXPECT_TRUE(at(keptOnScreen(place(-300, 2000), three), 0, 974));
    // A saved place at the ends of the 32-bit range: its right edge lies past them, nearest the
    // right-hand monitor.
    EXPECT_TRUE(at(keptOnScreen(place(2147483600, -2147483647 - 1), three), 2460, 0));
}

// Start-up, a display change and the close handler, with the window's real size.
TEST_F(StartupTest, WindowOffEveryScreenComesBackAndClosingSavesItsPlace) {
    fake.desktop.screens = {{0, 0, 1024, 768}};
    working({}, {"[position]", "left=3000", "top=2000"});
    TForm1& f = create();
    ASSERT_TRUE(completed());
    EXPECT_EQ(f.look().window.left, 1024 - f.look().window.width);
    EXPECT_EQ(f.look().window.top, 768 - f.look().window.height);
    f.FormClose();
    IniFile ini(fake.files, kConfigPath);
    EXPECT_EQ(ini.readInteger("position", "left", 0), 1024 - f.look().window.width);
    EXPECT_EQ(ini.readInteger("position", "top", 0), 768 - f.look().window.height);

    // A failed start-up leaves the design place, which a small screen does not show.
    fake.desktop.screens = {{0, 0, 640, 480}};
    config({"[general]", "skin=missing.bmp"});
    create();
    EXPECT_FALSE(completed());
    EXPECT_EQ(form->look().window.left, 640 - form->look().window.width);

    // The monitor that showed it goes away.
    working({}, {"[position]", "left=1500", "top=100"});
    fake.desktop.screens = {{0, 0, 1024, 768}, {1024, 0, 2048, 768}};
    create();
    EXPECT_EQ(form->look().window.left, 1500);
    fake.desktop.screens.pop_back();
    form->events().DisplayChanged();
    EXPECT_EQ(form->look().window.left, 1024 - form->look().window.width);
    EXPECT_EQ(form->look().window.top, 100);
}

}  // namespace tabrix::test

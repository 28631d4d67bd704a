// The widget steps aside only for a full-screen program on its own monitor.
#include <gtest/gtest.h>

#include "windows/main/FullScreen.h"

namespace tabrix::test {
namespace {

ForegroundWindow window(ScreenRect r, const char* cls = "GameWindow", bool maximized = false,
                        bool desktop = false) {
    ForegroundWindow f;
    f.exists = true;
    f.className = cls;
    f.rect = r;
    f.maximized = maximized;
    f.desktop = desktop;
    return f;
}

}  // namespace

TEST(FullScreen, HidesOnlyForAWindowCoveringTheWidgetsWholeMonitor) {
    const std::vector<ScreenRect> two{{0, 0, 1920, 1080}, {1920, 0, 3200, 1024}};
    const ScreenRect onFirst{100, 100, 377, 433};
    const ScreenRect mostlyOnSecond{1800, 100, 2077, 433};  // 120 pixels wide on the first
    const ForegroundWindow none;
    struct Case {
        const char* what;
        ForegroundWindow foreground;
        ScreenRect widget;
        bool hidden;
    };
    const Case cases[] = {
        {"exactly the monitor", window({0, 0, 1920, 1080}), onFirst, true},
        {"larger than the monitor", window({-8, -8, 1928, 1088}), onFirst, true},
        {"a pixel short at the right", window({0, 0, 1919, 1080}), onFirst, false},
        {"a pixel short at the bottom", window({0, 0, 1920, 1079}), onFirst, false},
        {"a pixel short at the top", window({0, 1, 1920, 1080}), onFirst, false},
        {"the work area only", window({0, 0, 1920, 1040}), onFirst, false},
        {"maximised", window({-8, -8, 1928, 1088}, "Notepad", true), onFirst, false},
        {"the desktop window", window({0, 0, 1920, 1080}, "AnyClass", false, true), onFirst, false},
        {"the desktop's icons", window({0, 0, 1920, 1080}, "Progman"), onFirst, false},
        {"the desktop behind them", window({0, 0, 3200, 1080}, "WorkerW"), onFirst, false},
        {"the taskbar", window({0, 0, 1920, 1080}, "Shell_TrayWnd"), onFirst, false},
        {"the system's desktop class", window({0, 0, 3200, 1080}, "#32769"), onFirst, false},
        {"full screen on the other monitor", window({1920, 0, 3200, 1024}), onFirst, false},
        {"on the monitor with most of the widget", window({1920, 0, 3200, 1024}), mostlyOnSecond, true},
        {"not on the monitor with most of the widget", window({0, 0, 1920, 1080}), mostlyOnSecond, false},
        {"spanning both", window({0, 0, 3200, 1080}), mostlyOnSecond, true},
        {"no foreground window", none, onFirst, false},
        {"a widget no monitor shows", window({0, 0, 1920, 1080}), {5000, 5000, 5277, 5333}, false},
        {"... and the last monitor covered", window({1920, 0, 3200, 1024}), {5000, 5000, 5277, 5333}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.hidden, hiddenByFullScreen(c.foreground, two, c.widget)) << c.what;
    EXPECT_FALSE(hiddenByFullScreen(window({0, 0, 1920, 1080}), {}, onFirst)) << "no monitors known";
}

}  // namespace tabrix::test

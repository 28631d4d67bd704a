// The program folder as shipped, at the screen's scale (96 dots per inch here; CTest runs these
// again in prefixes at 120, 144 and 192): with each shipped skin, a sensor program and the player
// running, every label, graph and player button the first start shows lies whole inside the
// panel, and none overlaps another.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "../test_bitmaps.h"
#include "test_helpers.h"

using namespace tabrix;

namespace {

std::string wholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// A stand-in program started from beside this test, ended with it.
class Beside {
public:
    explicit Beside(const std::string& exe, const std::string& argument = "") {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string cmd = path;
        cmd = "\"" + cmd.substr(0, cmd.find_last_of("\\/") + 1) + exe + "\"";
        if (!argument.empty()) cmd += " \"" + argument + "\"";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
        CloseHandle(pi.hThread);
        process_ = pi.hProcess;
    }
    ~Beside() {
        if (!process_) return;
        TerminateProcess(process_, 0);
        WaitForSingleObject(process_, 5000);
        CloseHandle(process_);
    }
    Beside(const Beside&) = delete;
    Beside& operator=(const Beside&) = delete;

private:
    HANDLE process_ = nullptr;
};

template <typename Done>
bool within(DWORD ms, Done done) {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(50))
        if (done()) return true;
    return done();
}

struct Drawn {
    std::string what;
    RECT r;
};

std::string describe(const Drawn& d) {
    return d.what + " (" + std::to_string(d.r.left) + ", " + std::to_string(d.r.top) + ") - (" +
           std::to_string(d.r.right) + ", " + std::to_string(d.r.bottom) + ")";
}

class FirstLook : public test::MainWindowTest {
protected:
    FirstLook() : MainWindowTest("tabrix-first-look", test::bmp24Skin(10, 10, 0)) {}

    // The shipped config.ini with another skin of the shipped ones, put beside it.
    std::string shippedWith(const std::string& skin) {
        std::string config = wholeFile(std::string("Z:") + TABRIX_ASSETS + "/config.ini");
        const std::string skinLine = "skin=Graphite.bmp\r\n";
        const std::size_t at = config.find(skinLine);
        if (at == std::string::npos) return "";
        write("drives.inf", "3\r\n");
        write("skins\\" + skin, wholeFile(std::string("Z:") + TABRIX_DIST + "/skins/" + skin));
        config.replace(at, skinLine.size(), "skin=" + skin + "\r\n");
        return config;
    }

    // Labels showing a text and the graphs, as the window paints them after the first ticks.
    std::vector<Drawn> drawn() {
        std::vector<Drawn> all;
        for (int n = kFirstMainLabel; n <= kLastMainLabel; ++n) {
            const Label& l = form->look().label(n);
            if (!l.visible || l.text.find_first_not_of(" \r\n") == std::string::npos) continue;
            all.push_back(
                {l.name + " \"" + l.text + "\"", {l.left, l.top, l.left + l.width, l.top + l.height}});
        }
        for (int i = 0; i < Graphs::kCount; ++i) {
            const Graph& g = form->look().graphs[i];
            if (g.visible) all.push_back({g.name, {g.left, g.top, g.left + g.width, g.top + g.height}});
        }
        for (int n : kPlayerPictures) {
            const Picture& p = form->look().image(n);
            if (p.visible) all.push_back({p.name, {p.left, p.top, p.left + p.width, p.top + p.height}});
        }
        return all;
    }
};

}  // namespace

TEST_F(FirstLook, EveryModuleShowsWholeAndApartWithEachShippedSkin) {
    // Three sensor pairs, and the player's song and buttons.
    Beside sensors("hwinfo_sensors.exe", scratch.file("sensors.ready"));
    Beside player("winamp.exe");
    ASSERT_TRUE(within(10000, [&] {
        return GetFileAttributesA(scratch.file("sensors.ready").c_str()) != INVALID_FILE_ATTRIBUTES &&
               FindWindowA("Winamp v1.x", nullptr);
    }));
    for (const char* skin : {"Graphite.bmp", "Ocean.bmp", "Sand.bmp"}) {
        SCOPED_TRACE(skin);
        const std::string config = shippedWith(skin);
        ASSERT_FALSE(config.empty());
        start(config);
        ASSERT_TRUE(sink.shown.empty());
        // The values the first seconds bring: the song, the refresh, then the traffic meter
        // it starts.
        form->WinampTimerTimer();
        form->systimerTimer();
        form->tmrTrafficTimer();
        form->systimerTimer();
        for (int n : {kLabelSong, kLabelSensor1Name, kLabelSensor3Value, kLabelDiskSpace})
            EXPECT_TRUE(form->look().label(n).visible) << form->look().label(n).name;
        EXPECT_TRUE(form->look().image(kImagePlay).visible);
        RECT panel{};
        GetClientRect(view->hwnd(), &panel);
        const std::vector<Drawn> all = drawn();
        for (const Drawn& d : all)
            EXPECT_TRUE(d.r.left >= 0 && d.r.top >= 0 && d.r.right <= panel.right &&
                        d.r.bottom <= panel.bottom)
                << describe(d) << " outside the panel";
        for (std::size_t i = 0; i < all.size(); ++i)
            for (std::size_t j = 0; j < i; ++j) {
                RECT both;
                EXPECT_FALSE(IntersectRect(&both, &all[i].r, &all[j].r))
                    << describe(all[i]) << " over " << describe(all[j]);
            }
        view.reset();
    }
}

// The screen's scale (TABRIX_TEST_DPI names the one the prefix was given): the panel is that
// many times its design size, the pointer finds and drags a label where it is drawn, and the
// close saves the place in design units.
TEST_F(FirstLook, ThePanelFollowsTheScreensScaleAndSavesPlacesInDesignUnits) {
    const Scale scale(win32::screenDotsPerInch(LOGPIXELSX));
    if (const char* want = std::getenv("TABRIX_TEST_DPI")) {
        ASSERT_EQ(std::atoi(want), scale.dpi());
    }
    start(shippedWith("Graphite.bmp"));
    ASSERT_TRUE(sink.shown.empty());
    RECT panel{};
    GetClientRect(view->hwnd(), &panel);
    EXPECT_NEAR(271 * scale.dpi() / 96.0, panel.right, 1);
    // The first-run file gives the outer height, and the frame grows less than the scale: the
    // panel holds the whole skin, with at most a few see-through rows below it.
    EXPECT_GE(panel.bottom, scale.toDevice(369) - 1);
    EXPECT_LE(panel.bottom, scale.toDevice(369) + 8);

    // "CPU Usage:" is designed at 32, 40; dragged by 10, 2 design pixels.
    const Label& l = form->look().label(kLabelCpuUsageCaption);
    ASSERT_EQ(scale.toDevice(32), l.left);
    const int x = l.left + 1, y = l.top + 1;
    SendMessageA(view->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(view->hwnd(), WM_MOUSEMOVE, MK_LBUTTON,
                 MAKELPARAM(x + scale.toDevice(10), y + scale.toDevice(2)));
    SendMessageA(view->hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(x + scale.toDevice(10), y + scale.toDevice(2)));
    form->FormClose();
    const std::string saved = wholeFile(scratch.file("config.ini"));
    EXPECT_NE(saved.find("Label3left=42\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("Label3top=42\r\n"), std::string::npos) << saved;
}

// The real Tabrix.exe driving the player stand-in (tests/fixtures/winamp.cpp) through its
// five buttons.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "e2e_support.h"
#include "x_input.h"

using namespace e2e;

namespace {

const char kPlayerClass[] = "Winamp v1.x";

// A left click at a point of the main window's client area, as the mouse would send it.
void click(HWND w, int x, int y) {
    PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

struct Button {
    int left, top;
};
// Image6, Image2, Image3, Image4, Image7: previous, play, pause, stop, next.
const Button kPrevious{139, 287}, kPlay{160, 287}, kPause{184, 287}, kStop{208, 287}, kNext{232, 287};

void clickButton(HWND w, Button b) {
    click(w, b.left + 5, b.top + 5);
}

// The stand-in's log goes into the program folder; the variable reaches a player that
// Tabrix starts, too.
std::string useLog(const ProgramFolder& folder) {
    const std::string log = folder.path("commands.txt");
    SetEnvironmentVariableA("TABRIX_PLAYER_LOG", log.c_str());
    return log;
}

// A program folder with the stand-in's log in it; every test leaves no player behind,
// whether it passed or stopped at an assertion.
class Player : public ::testing::Test {
protected:
    ~Player() override { closeWindowsOf(kPlayerClass); }
    ProgramFolder folder{nullptr};
    const std::string log = useLog(folder);
};

// Starts the stand-in player and waits for its window: its process handle, null when it
// did not come up.
HANDLE startPlayer() {
    HANDLE player = startBesideThisTest("winamp.exe");
    if (player && waitFor([] { return FindWindowA(kPlayerClass, nullptr) != nullptr; }, 10000)) return player;
    if (player) CloseHandle(player);
    return nullptr;
}

// The main window once a refresh tick has shown the buttons; null when there is none.
HWND withButtons(const Running& app) {
    HWND w = app.mainWindow();
    if (w) pause(1500);
    return w;
}

std::string config(const std::string& more) {
    return "[general]\r\nskin=Default\r\nwinampbuttonsstay=1\r\n" + more;
}

}  // namespace

TEST_F(Player, EachButtonReachesARunningPlayerAsItsCommand) {
    folder.write("config.ini", config(""));
    HANDLE player = startPlayer();
    ASSERT_TRUE(player);

    Running app(folder);
    HWND w = withButtons(app);
    ASSERT_TRUE(w);
    for (Button b : {kPrevious, kPlay, kPause, kStop, kNext}) clickButton(w, b);
    EXPECT_TRUE(waitFor([&] { return readFile(log).size() >= 35; }, 5000));
    EXPECT_EQ("40044\r\n40045\r\n40046\r\n40047\r\n40048\r\n", readFile(log));

    // A press that leaves the picture before the release is no click.
    PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kPlay.left + 5, kPlay.top + 5));
    PostMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    pause(500);
    EXPECT_EQ(35u, readFile(log).size());

    closeWindowsOf(kPlayerClass);
    WaitForSingleObject(player, 5000);
    CloseHandle(player);
}

TEST_F(Player, TwoQuickRealClicksOnNextAreTwoCommands) {
    folder.write("config.ini", config("ontop=1\r\n[position]\r\nleft=300\r\ntop=200\r\n"));
    HANDLE player = startPlayer();
    ASSERT_TRUE(player);
    CloseHandle(player);

    Running app(folder);
    HWND w = withButtons(app);
    ASSERT_TRUE(w);
    POINT at{kNext.left + 5, kNext.top + 5};
    ClientToScreen(w, &at);
    // Well within the double-click time: the second press must still be a press.
    ASSERT_TRUE(xdotool("mousemove " + std::to_string(at.x) + " " + std::to_string(at.y) +
                        " sleep 0.2 click --repeat 2 --delay 80 1"));
    EXPECT_TRUE(waitFor([&] { return readFile(log).size() >= 14; }, 5000));
    pause(500);
    EXPECT_EQ("40048\r\n40048\r\n", readFile(log));
}

TEST_F(Player, PlayStartsAStoppedPlayerFromItsPathThenPlays) {
    CopyFileA(besideThisTest("winamp.exe").c_str(), folder.path("winamp.exe").c_str(), FALSE);
    folder.write("config.ini", config("winamppath=" + folder.path("winamp.exe") + "\r\n"));
    ASSERT_FALSE(FindWindowA(kPlayerClass, nullptr));

    Running app(folder);
    HWND w = withButtons(app);
    ASSERT_TRUE(w);
    clickButton(w, kPlay);
    EXPECT_TRUE(waitFor([&] { return !readFile(log).empty(); }, 10000));
    EXPECT_EQ("40045\r\n", readFile(log));
    HWND player = FindWindowA(kPlayerClass, nullptr);
    ASSERT_TRUE(player);
    EXPECT_FALSE(IsWindowVisible(player));  // started hidden
    closeWindowsOf(kPlayerClass);
}

TEST_F(Player, AWrongPathLeavesTheWindowAnsweringAndSendsNothing) {
    folder.write("config.ini", config("winamppath=" + folder.path("none\\winamp.exe") + "\r\n"));
    Running app(folder);
    HWND w = withButtons(app);
    ASSERT_TRUE(w);
    clickButton(w, kPlay);
    // The wait for the player runs on a timer: the window answers at once meanwhile.
    DWORD_PTR result = 0;
    const DWORD start = GetTickCount();
    EXPECT_TRUE(SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_NORMAL, 15000, &result));
    EXPECT_LT(GetTickCount() - start, 1000u);
    pause(6000);  // past the limit
    EXPECT_TRUE(app.alive());
    EXPECT_EQ("", readFile(log));
}

// The stand-in posing as each of today's players in turn, under that player's program name:
// the song the window shows (which the JSON report carries from the same poll) and what each
// of the five buttons reaches the player as.
TEST_F(Player, EachOtherPlayerShowsItsSongAndGetsItsFiveCommands) {
    const struct {
        const char* pose;
        const char* program;
        const char* windowClass;
        const char* caption;  // UTF-8
        const char* song;     // UTF-8, as the report carries it
        const char* commands;
    } players[] = {
        {"spotify", "Spotify.exe", "Chrome_WidgetWin_0", "Bj\xC3\xB6rk - J\xC3\xB3ga - Live",
         "Bj\xC3\xB6rk - J\xC3\xB3ga - Live", "app 12\r\napp 14\r\napp 14\r\napp 13\r\napp 11\r\n"},
        {"aimp", "AIMP.exe", "AIMP2_RemoteInfo", "Bj\xC3\xB6rk - J\xC3\xB3ga", "Bj\xC3\xB6rk - J\xC3\xB3ga",
         "aimp 18\r\naimp 13\r\naimp 15\r\naimp 16\r\naimp 17\r\n"},
        {"foobar", "foobar2000.exe", "{97E27FAA-C0B3-4b8e-A693-ED7881E99FC1}", "A - B [foobar2000]", "A - B",
         "app 12\r\napp 14\r\napp 14\r\napp 13\r\napp 11\r\n"},
        {"musicbee", "MusicBee.exe", "WindowsForms10.Window.8.app.0.2bf8098_r6_ad1", "A - B - MusicBee",
         "A - B", "app 12\r\napp 14\r\napp 14\r\napp 13\r\napp 11\r\n"},
        {"vlc", "vlc.exe", "Qt5QWindowIcon", "film.mkv - VLC media player", "film.mkv",
         "app 12\r\napp 14\r\napp 14\r\napp 13\r\napp 11\r\n"},
    };
    folder.write("config.ini", config("output=1\r\noutputinterval=500\r\nenablejson=1\r\nsavepath=" +
                                      folder.path("stats") + "\r\n"));
    for (const auto& p : players) {
        SCOPED_TRACE(p.pose);
        DeleteFileA(log.c_str());
        DeleteFileA(folder.path("stats.json").c_str());
        const std::string program = folder.path(p.program);
        ASSERT_TRUE(CopyFileA(besideThisTest("winamp.exe").c_str(), program.c_str(), FALSE));
        std::string line = "\"" + program + "\" " + p.pose + " \"" + p.caption + "\"";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        ASSERT_TRUE(
            CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
        CloseHandle(pi.hThread);
        ASSERT_TRUE(waitFor([&] { return FindWindowA(p.windowClass, nullptr) != nullptr; }, 10000));

        Running app(folder);
        HWND w = withButtons(app);
        ASSERT_TRUE(w);
        std::string song;
        waitFor(
            [&] {
                try {
                    const auto report = nlohmann::json::parse(readFile(folder.path("stats.json")));
                    song = report["player"]["song"].get<std::string>();
                } catch (...) {
                    return false;
                }
                return song == p.song;
            },
            8000);
        EXPECT_EQ(p.song, song);
        for (Button b : {kPrevious, kPlay, kPause, kStop, kNext}) clickButton(w, b);
        EXPECT_TRUE(waitFor([&] { return readFile(log) == p.commands; }, 5000));
        EXPECT_EQ(p.commands, readFile(log));
        EXPECT_TRUE(app.close());
        closeWindowsOf(p.windowClass);
        WaitForSingleObject(pi.hProcess, 5000);
        CloseHandle(pi.hProcess);
    }
}

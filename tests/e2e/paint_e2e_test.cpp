// The real Tabrix.exe's painting on the screen: partial repaints that leave the same
// picture as a whole repaint, self-draw mode's texts, and the scrolling song title.
#include <gtest/gtest.h>

#include <cstring>

#include "../test_bitmaps.h"
#include "e2e_support.h"
#include "x_input.h"

using namespace e2e;

namespace {

const char kPlayerClass[] = "Winamp v1.x";
// Modules whose texts change from second to second are off, so that only the song line moves.
const char kStillModules[] =
    "[Modules]\r\nCheckBox11=False\r\nCheckBox14=False\r\nCheckBox15=False\r\nCheckBox16=False\r\n"
    "CheckBox18=False\r\nCheckBox23=False\r\nCheckBox24=False\r\n";

struct Counts {
    int dark = 0;
    int white = 0;
    int skin = 0;
};

// Pixels of a client rectangle of the window as the screen shows it.
Counts count(const Screenshot& shot, const RECT& c, int left, int top, int right, int bottom, uint32_t skin) {
    Counts n;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const uint32_t p = shot.at(c.left + x, c.top + y);
            n.dark += isDark(p);
            n.white += p == 0xFFFFFF;
            n.skin += p == skin;
        }
    return n;
}

struct Player {
    HANDLE process = startBesideThisTest("winamp.exe");
    Player() {
        waitFor([] { return FindWindowA(kPlayerClass, nullptr) != nullptr; }, 10000);
    }
    ~Player() {
        closeWindowsOf(kPlayerClass);
        if (process) {
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    }
};

}  // namespace

TEST(Paint, AfterTicksAndADraggedLabelTheWindowShowsWhatAWholeRepaintShows) {
    ProgramFolder folder(
        "[general]\r\nskin=Default\r\ntransparent=1\r\nshowbar=1\r\nontop=1\r\nshowbanner=-1\r\n"
        "AllowPositionChange=1\r\nwinampbuttonsstay=1\r\n[position]\r\nleft=60\r\ntop=60\r\n");
    Running app(folder);
    HWND w = app.mainWindow();
    ASSERT_TRUE(w);
    bringToTop(w);
    // "Memory:" (Label9 at 32, 88) dragged with the mouse 40 pixels right and 6 down: its old
    // place is repainted too.
    const RECT at = clientRect(w);
    const std::string from = std::to_string(at.left + 36) + " " + std::to_string(at.top + 92);
    const std::string to = std::to_string(at.left + 76) + " " + std::to_string(at.top + 98);
    ASSERT_TRUE(xdotool("mousemove " + from + " sleep 0.2 mousedown 1 sleep 0.2 mousemove " +
                        std::to_string(at.left + 56) + " " + std::to_string(at.top + 95) +
                        " sleep 0.2 mousemove " + to + " sleep 0.2 mouseup 1 sleep 0.2 mousemove " +
                        std::to_string(at.left + 300) + " " + std::to_string(at.top + 40)));
    pause(3500);  // a few refresh ticks
    const RECT c = clientRect(w);
    // A tick between the two pictures changes a value: such a pair is taken again.
    bool same = false;
    size_t differing = 0;
    for (int attempt = 0; attempt < 8 && !same; ++attempt) {
        Screenshot partial(c);
        RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        pause(150);
        Screenshot whole(c);
        differing = 0;
        for (size_t i = 0; i < whole.pixels.size(); ++i) differing += partial.pixels[i] != whole.pixels[i];
        same = differing == 0;
    }
    EXPECT_TRUE(same) << differing << " pixels differ";
    Screenshot shot(c);
    EXPECT_GT(count(shot, c, 82, 94, 114, 107, 0).dark, 10) << "\"Memory:\" at its new place";
}

TEST(Paint, SelfDrawWritesTheTextsInWhiteBoxesThatTheColourKeyMakesSeeThrough) {
    const uint32_t kSkin = 0x3060C0;
    for (const char* key : {"0", "1"}) {
        ProgramFolder folder(
            (std::string("[general]\r\nskin=blue.bmp\r\nshowbanner=0\r\nshowbar=1\r\nontop=1\r\n"
                         "SelfDrawEnabled=1\r\ntransparent=") +
             key + "\r\n[position]\r\nleft=80\r\ntop=80\r\n")
                .c_str());
        folder.write("skins\\blue.bmp", tabrix::test::bmp24Skin(271, 305, kSkin));
        Running app(folder);
        HWND w = app.mainWindow();
        ASSERT_TRUE(w);
        bringToTop(w);
        const RECT c = clientRect(w);
        // "CPU Usage:" (Label3 at 32, 40) arrives with the first pass of the 2-second timer.
        Counts box;
        waitFor(
            [&] {
                Screenshot shot(c);
                box = count(shot, c, 32, 40, 80, 51, kSkin);
                return box.dark > 10;
            },
            10000);
        EXPECT_GT(box.dark, 10) << "transparent=" << key;
        if (key[0] == '0') {
            EXPECT_GT(box.white, 100) << "an opaque white box behind the text";
            EXPECT_EQ(0, box.skin);
        } else {
            EXPECT_EQ(0, box.white) << "the white box is see-through";
        }
        Screenshot shot(c);
        // Nothing else is erased: the skin shows beside the texts, and no label is shown.
        EXPECT_EQ(kSkin, shot.at(c.left + 20, c.top + 150));
        EXPECT_EQ(kSkin, shot.at(c.left + 250, c.top + 270));
        EXPECT_GT(count(shot, c, 216, 104, 222, 117, kSkin).dark, 2) << "Label35's \"x\" at 216, 104";
        EXPECT_TRUE(app.close());
    }
}

TEST(Paint, AScrollingTitleChangesOnlyItsOwnPlace) {
    Player player;
    ASSERT_TRUE(FindWindowA(kPlayerClass, nullptr));
    for (const char* selfDraw : {"0", "1"}) {
        ProgramFolder folder(
            (std::string("[general]\r\nskin=Default\r\ntransparent=0\r\nshowbar=1\r\n"
                         "ontop=1\r\nshowbanner=-1\r\nscrollenabled=1\r\nwinampbuttonsstay=1\r\n"
                         "SelfDrawEnabled=") +
             selfDraw + "\r\n[position]\r\nleft=70\r\ntop=70\r\n" + kStillModules)
                .c_str());
        Running app(folder);
        HWND w = app.mainWindow();
        ASSERT_TRUE(w);
        bringToTop(w);
        const RECT c = clientRect(w);
        // The song line (Label14 at 120, 200) shows the title once the player poll has run.
        EXPECT_TRUE(waitFor([&] { return count(Screenshot(c), c, 120, 200, 260, 213, 0).dark > 40; }, 15000))
            << "SelfDrawEnabled=" << selfDraw;
        // The title runs: its pixels change between two pictures 300 ms apart, nothing else does.
        // In self-draw mode every label is written every 2 seconds, the processor load among
        // them: a pass between the two pictures changes more, and such a pair is taken again.
        const bool strict = selfDraw[0] == '0';
        bool seen = false;
        size_t outside = 0;
        for (int attempt = 0; attempt < 8 && !seen; ++attempt) {
            Screenshot a(c);
            pause(300);
            Screenshot b(c);
            size_t inside = 0;
            outside = 0;
            const int width = c.right - c.left;
            for (size_t i = 0; i < a.pixels.size(); ++i) {
                const int y = static_cast<int>(i / width);
                if (a.pixels[i] == b.pixels[i]) continue;
                (y >= 196 && y < 218 ? inside : outside)++;
            }
            seen = inside > 0 && outside == 0;
            if (strict) {
                EXPECT_EQ(0u, outside) << "only the song line changes";
            }
        }
        EXPECT_TRUE(seen) << "the song line does not move alone; SelfDrawEnabled=" << selfDraw;
        EXPECT_TRUE(app.close());
    }
}

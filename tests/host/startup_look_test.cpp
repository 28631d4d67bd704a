// Timers, window properties, fonts and saved positions as start-up sets them.
#include "startup_fixture.h"

namespace tabrix::test {
namespace {

using LookTest = StartupTest;

TEST_F(LookTest, ReportIpAndScrollTimersFollowTheirKeys) {
    working({"output=1", "outputinterval=5000", "ipinterval=60000", "scrollenabled=2"});
    const TForm1& f = create();
    EXPECT_TRUE(f.look().timers.FileTimer1.fires());
    EXPECT_EQ(5000u, f.look().timers.FileTimer1.interval);
    EXPECT_EQ(60000u, f.look().timers.IPTImer.interval);
    EXPECT_FALSE(f.look().timers.IPTImer.enabled);  // started at step 13, stopped again: showip is not "1"
    EXPECT_TRUE(f.look().timers.ScrollTimer.enabled);

    working({"output=1"});
    EXPECT_FALSE(create().look().timers.FileTimer1.fires());  // running, but a period of 0 never fires
    EXPECT_EQ(0u, form->look().timers.FileTimer1.interval);   // the design's 5000 is always replaced
    EXPECT_TRUE(form->look().timers.systimer.fires());
    EXPECT_TRUE(form->look().timers.WinampTimer.fires());
    EXPECT_FALSE(form->look().timers.tmrTraffic.enabled);
    working({"output=true", "outputinterval=5000", "scrollenabled=0"});
    EXPECT_FALSE(create().look().timers.FileTimer1.enabled);
    EXPECT_FALSE(form->look().timers.ScrollTimer.enabled);
    working({"scrollenabled="});
    EXPECT_TRUE(create().look().timers.ScrollTimer.enabled);

    working({"showip=1", "ipinterval=60000", "ipserver=http://ip.example/"});
    EXPECT_TRUE(create().look().timers.IPTImer.fires());
    EXPECT_EQ("http://ip.example/", stored.settings.ipServer);
}

TEST_F(LookTest, IpTimerStartedBeforeAFailedSkinKeepsRunning) {
    config({"[general]", "ipinterval=60000", "showip=0"});
    const TForm1& f = create();
    EXPECT_EQ(14, lastStartupStep(f));
    EXPECT_TRUE(f.look().timers.IPTImer.fires());
}

TEST_F(LookTest, TranslucencyIsTheLowByteAndOnUnlessExactly255) {
    struct Case {
        const char* value;
        bool on;
        int alpha;
    };
    for (const Case& c :
         {Case{"255", false, 255}, Case{"254", true, 254}, Case{"0", true, 0}, Case{"256", true, 0},
          Case{"-1", true, 255}, Case{"0xFF", false, 255}, Case{"half", false, 255}}) {
        working({std::string("alpha=") + c.value});
        const TForm1& f = create();
        EXPECT_EQ(c.on, f.look().window.alphaBlend) << c.value;
        EXPECT_EQ(c.alpha, f.look().window.alpha) << c.value;
    }
}

TEST_F(LookTest, ColourKeyOnlyForOne) {
    for (const char* value : {"1", "0", "true", " 1 "}) {
        working({std::string("transparent=") + value});
        const TForm1& f = create();
        EXPECT_EQ(std::string(value).find('1') != std::string::npos, f.look().window.colorKey) << value;
    }
    working({});
    EXPECT_FALSE(create().look().window.colorKey);  // the design's colour key is switched off
}

TEST_F(LookTest, BorderStayOnTopAndTheAboutEntry) {
    struct Case {
        const char* ontop;
        const char* showbar;
        bool top, caption, about;
    };
    for (const Case& c : {Case{"1", "1", true, true, true}, Case{"0", "1", false, true, false},
                          Case{"1", "0", true, false, false}, Case{"1", "yes", true, false, false},
                          Case{"True", "1", false, true, false}}) {
        working({std::string("ontop=") + c.ontop, std::string("showbar=") + c.showbar});
        const TForm1& f = create();
        EXPECT_EQ(c.top, f.look().window.stayOnTop) << c.ontop << c.showbar;
        EXPECT_EQ(c.caption, f.look().window.toolCaption) << c.ontop << c.showbar;
        EXPECT_EQ(c.about, f.look().window.aboutInSystemMenu) << c.ontop << c.showbar;
    }
    working({});
    const TForm1& f = create();
    EXPECT_FALSE(f.look().window.stayOnTop);
    EXPECT_TRUE(f.look().window.toolCaption);
    EXPECT_FALSE(f.look().window.aboutInSystemMenu);
    EXPECT_TRUE(f.look().window.ownerToolWindow);
    EXPECT_TRUE(f.look().window.doubleBuffered);
}

TEST_F(LookTest, PositionFromItsOwnSection) {
    working({});
    EXPECT_EQ(255, create().look().window.left);
    EXPECT_EQ(255, form->look().window.top);
    working({"left=1", "top=2"}, {"[Position]", "left=10", "top=-20"});
    EXPECT_EQ(10, create().look().window.left);
    EXPECT_EQ(-20, form->look().window.top);
}

TEST_F(LookTest, FontsFaceSizeAndColourForEveryLabel) {
    working({"font=Verdana", "fontsize=10", "fontcolor=$000000FF"});
    const TForm1& f = create();
    ASSERT_TRUE(completed()) << startupFailure(f);
    for (int n = kFirstMainLabel; n <= kLastMainLabel; ++n) {
        EXPECT_EQ("Verdana", f.look().label(n).font.face) << n;
        EXPECT_EQ(-13, f.look().label(n).font.height) << n;  // 10 points at 96 dpi
        EXPECT_EQ(0x0000FFu, f.look().label(n).font.color) << n;
    }
    EXPECT_EQ(70, f.look().label(3).width);  // re-measured: 10 characters at 13 px
    EXPECT_EQ("Verdana", f.look().window.font.face);
    EXPECT_EQ(0, f.look().window.font.charset);
    EXPECT_EQ(-11, f.look().window.font.height);

    fake.desktop.dpi = 120;
    working({});
    EXPECT_EQ(-13, create().look().label(4).font.height);  // 8 points at 120 dpi
    EXPECT_EQ("Tahoma", form->look().label(4).font.face);
    EXPECT_EQ(0u, form->look().label(4).font.color);  // "ClBlack"
}

TEST_F(LookTest, WhiteTextIsDrawnAlmostWhite) {
    for (const char* value : {"clWhite", "CLWHITE", "$00FFFFFF", "16777215"}) {
        working({std::string("fontcolor=") + value});
        const TForm1& f = create();
        EXPECT_EQ(0xF5F5F5u, f.look().label(4).font.color) << value;
        EXPECT_EQ(0xF5F5F5u, f.look().label(36).font.color) << value;
    }
    working({"fontcolor=clSilver"});
    EXPECT_EQ(0xC0C0C0u, create().look().label(4).font.color);
}

TEST_F(LookTest, ABadColourStopsStartUpBeforeTheFonts) {
    working({"fontcolor=red", "ontop=0", "transparent=0", "SysTrayIcon=1"});
    const TForm1& f = create();
    EXPECT_EQ(13, lastStartupStep(f));
    EXPECT_EQ("'red' is not a valid integer value", startupFailure(f));
    EXPECT_EQ(std::vector<std::string>{"There was a problem starting Tabrix"}, errors.shown);
    EXPECT_FALSE(f.look().window.stayOnTop);  // applied before the colour was read
    EXPECT_EQ("Tahoma", f.look().label(4).font.face);
    EXPECT_EQ(-11, f.look().label(4).font.height);
    EXPECT_EQ(1, f.look().window.font.charset);
    EXPECT_TRUE(f.look().image(1).bitmap.empty());
    EXPECT_TRUE(f.look().window.colorKey);
    EXPECT_EQ(688, f.look().window.left);
    EXPECT_TRUE(fake.tray.added.empty());
}

TEST_F(LookTest, SavedPositionsAndWindowSize) {
    fake.facts.brand = "CPU:";  // the processor's name keeps the design caption's width
    working({"savepositions=1", "FormWidth=400", "FormHeight=300"},
            {"[Labels]", "Label3left=5", "Label3top=6", "label34left=7", "Label34top=8"});
    const TForm1& f = create();
    ASSERT_TRUE(completed()) << startupFailure(f);
    EXPECT_EQ(5, f.look().label(3).left);
    EXPECT_EQ(6, f.look().label(3).top);
    EXPECT_EQ(7, f.look().label(34).left);  // written as label34left, read as Label34left
    EXPECT_EQ(8, f.look().label(34).top);
    EXPECT_EQ(0, f.look().label(4).left);
    EXPECT_EQ(400, f.look().window.width);
    EXPECT_EQ(300, f.look().window.height);
    EXPECT_EQ(400, f.look().image(1).width);  // the new size resized the skin
    EXPECT_EQ(300, f.look().image(1).height);
    EXPECT_EQ(200 - 12, f.look().label(2).left);  // no saved place: centred as it finally reads
}

TEST_F(LookTest, SavedPositionsWithAnEmptyLabelsSection) {
    fake.facts.brand = "CPU:";
    working({"savepositions=1"}, {"[Labels]"});
    const TForm1& f = create();
    for (int n = 3; n <= kLastMainLabel; ++n) {
        EXPECT_EQ(0, f.look().label(n).left) << n;
        EXPECT_EQ(0, f.look().label(n).top) << n;
    }
    // The processor name has no saved place: centred (24 pixels wide in the 11-pixel font).
    EXPECT_EQ(126, f.look().label(2).left);
    EXPECT_EQ(0, f.look().label(2).top);
    EXPECT_EQ(277, f.look().window.width);  // no FormWidth: the current size
    EXPECT_EQ(327, f.look().window.height);
}

TEST_F(LookTest, SavedPositionsOnlyForExactlyOne) {
    for (const char* value : {"0", "true", "2"}) {
        working({std::string("savepositions=") + value, "FormWidth=400"}, {"[Labels]", "Label3left=5"});
        const TForm1& f = create();
        EXPECT_EQ(32, f.look().label(3).left) << value;
        EXPECT_EQ(277, f.look().window.width) << value;
    }
    working({"savepositions=1", "FormWidth=-5", "FormHeight=-1"});
    EXPECT_EQ(0, create().look().window.width);
    EXPECT_EQ(0, form->look().window.height);
}

}  // namespace
}  // namespace tabrix::test

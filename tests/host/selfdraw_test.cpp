// Self-draw passes and title scrolling: which texts reach the canvas, in which order,
// with which font, and how the song title turns.
#include "startup_fixture.h"

namespace tabrix::test {
namespace {

class SelfDrawTest : public StartupTest {
protected:
    // The texts a pass or a step wrote, as "text@left,top", after the pass's font marker "font".
    std::vector<std::string> written(TForm1&) {
        std::vector<std::string> out;
        for (const CanvasWrite& w : canvas.writes)
            out.push_back(w.newFont ? "font"
                                    : w.text + "@" + std::to_string(w.left) + "," + std::to_string(w.top));
        canvas.writes.clear();
        return out;
    }
};

TEST(ScrollText, TurnsLeftOneCharacterAndComesRoundAfterAsManyStepsAsCharacters) {
    std::string t = "abc     ";
    const char* steps[] = {"bc     a", "c     ab", "     abc", "    abc ",
                           "   abc  ", "  abc   ", " abc    ", "abc     "};
    for (const char* expected : steps) {
        t = scrollText(t);
        EXPECT_EQ(expected, t);
    }
    EXPECT_EQ("", scrollText(""));
    EXPECT_EQ("a", scrollText("a"));
    EXPECT_EQ("ba", scrollText("ab"));
}

TEST_F(SelfDrawTest, APassPaintsTheTwentyNineListedLabelsInOrderAtTheirPlaces) {
    working({"SelfDrawEnabled=1", "ShouldGetDisk=0"});
    TForm1& f = create();
    ASSERT_TRUE(completed()) << startupFailure(f);
    written(f);  // the start-up pass
    setLabelText(f, 4, "37 %   ");
    setLabelText(f, 25, "CPU");  // a sensor shown by the refresh is still never painted
    mutableLabel(f, 25).visible = true;
    f.DrawTimerTimer();
    const std::vector<std::string> w = written(f);
    ASSERT_EQ(30u, w.size());
    EXPECT_EQ("font", w[0]);
    const std::vector<std::string> labels(w.begin() + 1, w.end());
    const std::vector<std::string> expected = {
        f.look().label(2).text + "@" + std::to_string(f.look().label(2).left) + ",14",
        "CPU Usage:@32,40",
        "37 %   @120,40",
        "CPU Class:@32,56",
        f.look().label(6).text + "@120,56",
        "Windows Ver:@32,72",
        f.look().label(8).text + "@120,72",
        "Memory:@32,88",
        "X@120,88",
        "Memory Load:@32,104",
        "X@120,104",
        "Song:@32,200",
        "X@120,200",
        "Virtual Memory:@32,120",
        "X@120,120",
        "Display:@32,136",
        "X@120,136",
        "Uptime:@32,152",
        "X@120,152",
        "Connection:@32,168",
        f.look().label(22).text + "@120,168",
        "X@120,184",
        "Name:@32,184",
        "@144,168",
        "@168,40",
        "@168,56",
        "x@" + std::to_string(f.look().label(34).left) + ",24",
        "x@216,104",
        "X@160,216"};
    EXPECT_EQ(expected, labels);
    for (const std::string& s : labels) EXPECT_EQ(std::string::npos, s.find("Temperature:")) << s;
}

TEST_F(SelfDrawTest, OnlyDrawMarkTwoIsPaintedAndLabel4AndLabel14AreHiddenEveryPass) {
    working({"SelfDrawEnabled=1"}, {"[modules]", "CheckBox14=False"});
    TForm1& f = create();
    written(f);
    mutableLabel(f, 10).drawMark = 1;
    mutableLabel(f, 4).visible = true;
    mutableLabel(f, 14).visible = true;
    mutableLabel(f, 9).visible = true;
    f.DrawTimerTimer();
    const std::vector<std::string> w = written(f);
    EXPECT_EQ(29u, w.size());  // the font and 28 labels: Label10 is left out
    EXPECT_NE(w.end(), std::find(w.begin(), w.end(), "Memory:@32,88")) << "a module that is off still paints";
    for (const std::string& s : w) EXPECT_NE("X@120,88", s);
    EXPECT_FALSE(f.look().label(4).visible);
    EXPECT_FALSE(f.look().label(14).visible);
    EXPECT_TRUE(f.look().label(9).visible) << "nothing else is hidden by a pass";
}

TEST_F(SelfDrawTest, TheCanvasTakesLabel2sFontAtEachPass) {
    working({"SelfDrawEnabled=1", "font=Verdana", "fontsize=10", "fontcolor=clRed"});
    TForm1& f = create();
    // The start-up pass comes before the fonts are set: the design font of Label2.
    ASSERT_FALSE(canvas.writes.empty());
    EXPECT_TRUE(canvas.writes[0].newFont);
    EXPECT_EQ("Tahoma", canvas.writes[0].font.face);
    EXPECT_EQ(-12, canvas.writes[0].font.height);
    written(f);
    f.DrawTimerTimer();
    EXPECT_EQ("Verdana", f.look().canvas.font.face);
    EXPECT_EQ(-13, f.look().canvas.font.height);
    EXPECT_EQ(0x0000FFu, f.look().canvas.font.color);
}

TEST_F(SelfDrawTest, AScrollStepTurnsLabel14AndPaintsItOnlyInSelfDrawMode) {
    working({"scrollenabled=1"});
    TForm1& f = create();
    written(f);
    setLabelText(f, 14, "abc     ");
    mutableLabel(f, 14).visible = true;
    f.ScrollTimerTimer();
    EXPECT_EQ("bc     a", f.look().label(14).text);
    EXPECT_TRUE(f.look().label(14).visible) << "the song module is on";
    EXPECT_TRUE(written(f).empty());

    working({"scrollenabled=1", "SelfDrawEnabled=1"});
    TForm1& g = create();
    written(g);
    setLabelText(g, 14, "abc     ");
    g.ScrollTimerTimer();
    EXPECT_EQ(std::vector<std::string>{"bc     a@120,200"}, written(g));
}

TEST_F(SelfDrawTest, WithTheSongModuleOffTheTitleIsHiddenButKeepsTurning) {
    working({"scrollenabled=1", "SelfDrawEnabled=1"}, {"[modules]", "CheckBox22=False"});
    TForm1& f = create();
    written(f);
    setLabelText(f, 14, "xyz");
    mutableLabel(f, 14).visible = true;
    f.ScrollTimerTimer();
    EXPECT_FALSE(f.look().label(14).visible);
    EXPECT_EQ("yzx", f.look().label(14).text);
    EXPECT_EQ(std::vector<std::string>{"yzx@120,200"}, written(f));
    f.ScrollTimerTimer();
    EXPECT_EQ("zxy", f.look().label(14).text);
}

}  // namespace
}  // namespace tabrix::test

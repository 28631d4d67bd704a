// The main window as designed, its resize rule and label dragging.
#include "startup_fixture.h"

#include <cmath>

namespace tabrix::test {
namespace {

using LayoutTest = StartupTest;

TEST_F(LayoutTest, DesignHasThirtyFiveLabelsInTheirPlaces) {
    const TForm1& f = construct();
    EXPECT_EQ(277, f.look().window.width);  // client 271 × 305 plus the tool-window frame
    EXPECT_EQ(327, f.look().window.height);
    EXPECT_EQ(688, f.look().window.left);
    EXPECT_EQ(168, f.look().window.top);

    int shown = 0;
    for (int n = kFirstMainLabel; n <= kLastMainLabel; ++n) {
        const Label& l = f.look().label(n);
        EXPECT_EQ(mainLabelName(n), l.name);
        EXPECT_EQ("Tahoma", l.font.face) << l.name;
        EXPECT_EQ(n == 2 ? -12 : -11, l.font.height) << l.name;
        shown += l.visible;
    }
    EXPECT_EQ("label34", f.look().label(34).name);
    EXPECT_EQ(25, shown);

    // A few rows of the table, the hidden and the empty ones among them.
    EXPECT_EQ("Virtual Memory:", f.look().label(15).text);
    EXPECT_EQ(32, f.look().label(15).left);
    EXPECT_EQ(120, f.look().label(15).top);
    EXPECT_EQ("", f.look().label(31).text);
    EXPECT_EQ(144, f.look().label(31).left);
    EXPECT_FALSE(f.look().label(36).visible);
    EXPECT_EQ(160, f.look().label(36).left);
    EXPECT_EQ(Align::Right, f.look().label(2).align);
    EXPECT_EQ(Align::Center, f.look().label(34).align);
    EXPECT_TRUE(f.look().label(35).opaque);
    EXPECT_FALSE(f.look().label(34).opaque);

    for (int n : {2, 3, 4, 6, 7}) EXPECT_FALSE(f.look().image(n).visible) << n;
}

TEST_F(LayoutTest, LabelsSizeToTheirTextAnEmptyOneAsABlank) {
    TForm1& f = construct();
    // Fake extents: 6 px a character at 11 px, line = character height + 2.
    EXPECT_EQ(60, f.look().label(3).width);  // "CPU Usage:"
    EXPECT_EQ(13, f.look().label(3).height);
    EXPECT_EQ(6, f.look().label(32).width);  // empty, measured as " "
    EXPECT_EQ(13, f.look().label(32).height);
    EXPECT_EQ(26, f.look().label(2).width);  // 12-pixel font

    setLabelText(f, 4, "12%");
    EXPECT_EQ(18, f.look().label(4).width);
    EXPECT_EQ(120, f.look().label(4).left);
    // Right-aligned: the right edge stays, the label grows to the left.
    const int right = f.look().label(2).left + f.look().label(2).width;
    setLabelText(f, 2, "A longer processor name");
    EXPECT_EQ(right, f.look().label(2).left + f.look().label(2).width);
    setLabelText(f, 2, "");
    EXPECT_EQ(right, f.look().label(2).left + f.look().label(2).width);
}

TEST_F(LayoutTest, ResizeFillsTheSkinAndCentresTheProcessorNameHalvesToEven) {
    TForm1& f = construct();
    ASSERT_EQ(26, f.look().label(2).width);
    struct Case {
        int width;
        int left;
    };
    // (w − 26) / 2: 125.5 → 126, 124.5 → 124, 125 stays.
    for (const Case& c : {Case{277, 126}, Case{275, 124}, Case{276, 125}, Case{0, -13}, Case{1, -12}}) {
        f.Resized(c.width, 99);
        EXPECT_EQ(c.left, f.look().label(2).left) << c.width;
        EXPECT_EQ(0, f.look().image(1).left);
        EXPECT_EQ(0, f.look().image(1).top);
        EXPECT_EQ(c.width, f.look().image(1).width);
        EXPECT_EQ(99, f.look().image(1).height);
    }
}

TEST_F(LayoutTest, StartUpSizesTheWindowOnceWithTheDesignFont) {
    fake.facts.brand = "CPU:";  // the processor's name keeps the design caption's width
    working({"FormWidth=500", "savepositions=0"});
    const TForm1& f = create();
    ASSERT_TRUE(completed()) << startupFailure(f);
    // Centred at the first sizing (26 px wide), then the 11-pixel font made it 24 px
    // wide, growing on the right edge's left.
    EXPECT_EQ(126 + 2, f.look().label(2).left);
    EXPECT_EQ(277, f.look().image(1).width);
    EXPECT_EQ(327, f.look().image(1).height);
}

TEST_F(LayoutTest, TheProcessorNameStartsWhereItWasSavedOrCentredWhenItWouldNotShowWhole) {
    struct Case {
        const char* brand;
        const char* savedLeft;  // null: no saved positions; "": savepositions without Label2left
        int left;               // -1: centred
    };
    // "CPU:" ends at 152 unless saved elsewhere (see above); 16 characters are 96 px.
    const Case cases[] = {{"Intel(R) Xeon(R) Processor @ 2.80GHz", nullptr, -1},
                          {"Pentium(R) 4 CPU", nullptr, 152 - 96},  // fits: grows to the left only
                          {"Pentium(R) 4 CPU", "100", 100},         // where the close saved it
                          {"Pentium(R) 4 CPU", "0", 0},
                          {"Pentium(R) 4 CPU", "", -1},
                          {"Pentium(R) 4 CPU", "-1", -1},   // would start left of the window
                          {"Pentium(R) 4 CPU", "200", -1},  // would end right of it
                          {"Intel(R) Xeon(R) Processor @ 2.80GHz", "100", -1}};
    for (const Case& c : cases) {
        fake.facts.brand = c.brand;
        if (!c.savedLeft)
            working({});
        else if (!*c.savedLeft)
            working({"savepositions=1"}, {"[Labels]", "Label2top=14"});
        else
            working({"savepositions=1"},
                    {"[Labels]", std::string("Label2left=") + c.savedLeft, "Label2top=14"});
        const TForm1& f = create();
        ASSERT_TRUE(completed()) << startupFailure(f);
        const Label& cpu = f.look().label(2);
        const int centred = static_cast<int>(std::nearbyint((f.look().window.width - cpu.width) / 2.0));
        EXPECT_EQ(c.left < 0 ? centred : c.left, cpu.left)
            << c.brand << " " << (c.savedLeft ? c.savedLeft : "-");
        EXPECT_GE(cpu.left, 0);
    }
}

TEST_F(LayoutTest, SavedPlacesComeBackTheSameStartAfterStart) {
    fake.facts.brand = "Pentium(R) 4 CPU";
    working({"savepositions=1"},
            {"[Labels]", "Label2left=119", "Label2top=8", "Label3left=32", "Label3top=40", "Image2top=351"});
    for (int start = 1; start <= 4; ++start) {
        TForm1& f = create();
        ASSERT_TRUE(completed()) << startupFailure(f);
        EXPECT_EQ(119, f.look().label(2).left) << "start " << start;
        EXPECT_EQ(8, f.look().label(2).top) << "start " << start;
        EXPECT_EQ(32, f.look().label(3).left) << "start " << start;
        // A player button's place is read, never written; a missing edge keeps the design's.
        EXPECT_EQ(351, f.look().image(kImagePlay).top) << "start " << start;
        EXPECT_EQ(160, f.look().image(kImagePlay).left) << "start " << start;
        f.FormClose();
    }
}

TEST_F(LayoutTest, DraggingMovesTheLabelByTheDeltaUntilRelease) {
    working({});
    TForm1& f = create();
    ASSERT_TRUE(f.mouse().dragging().allowed());
    const int left = f.look().label(4).left, top = f.look().label(4).top;

    f.mouse().LabelMouseDown(4, 3, 4);
    EXPECT_EQ(4, f.mouse().dragging().captured());
    f.mouse().LabelMouseMove(4, 10, 6);
    EXPECT_EQ(left + 7, f.look().label(4).left);
    EXPECT_EQ(top + 2, f.look().label(4).top);
    // The pointer has not moved: measured from the label's new place it is at the origin.
    f.mouse().LabelMouseMove(4, 3, 4);
    EXPECT_EQ(left + 7, f.look().label(4).left);
    f.mouse().LabelMouseMove(4, 0, 0);
    EXPECT_EQ(left + 4, f.look().label(4).left);
    EXPECT_EQ(top - 2, f.look().label(4).top);

    const int otherLeft = f.look().label(5).left;
    f.mouse().LabelMouseMove(5, 30, 30);  // another label has no move handler
    EXPECT_EQ(otherLeft, f.look().label(5).left);

    f.mouse().MouseUp(MouseButton::Left);
    EXPECT_EQ(0, f.mouse().dragging().captured());
    f.mouse().LabelMouseMove(4, 50, 50);
    EXPECT_EQ(left + 4, f.look().label(4).left);
    EXPECT_EQ(top - 2, f.look().label(4).top);
}

TEST_F(LayoutTest, DraggingAlongOneAxisMovesTheLabelAlongThatAxisOnly) {
    working({});
    TForm1& f = create();
    const int left = f.look().label(3).left, top = f.look().label(3).top;
    f.mouse().LabelMouseDown(3, 5, 5);
    f.mouse().LabelMouseMove(3, 12, 5);  // purely sideways
    EXPECT_EQ(left + 7, f.look().label(3).left);
    EXPECT_EQ(top, f.look().label(3).top);
    f.mouse().LabelMouseMove(3, 1, 5);  // back to the left
    EXPECT_EQ(left + 3, f.look().label(3).left);
    f.mouse().LabelMouseMove(3, 5, 14);  // purely downwards
    EXPECT_EQ(left + 3, f.look().label(3).left);
    EXPECT_EQ(top + 9, f.look().label(3).top);
    f.mouse().LabelMouseMove(3, 5, 0);  // and up again
    EXPECT_EQ(left + 3, f.look().label(3).left);
    EXPECT_EQ(top + 4, f.look().label(3).top);
    f.mouse().MouseUp(MouseButton::Left);
}

TEST_F(LayoutTest, EachDragEndsWithTheReleaseOfTheButtonThatBeganIt) {
    working({});
    TForm1& f = create();
    const int left = f.look().window.left, top = f.look().window.top;
    const auto at = [&](int dx, int dy) { return Point{left + 50 + dx, top + 60 + dy}; };
    using B = MouseButton;

    // The right button drags the window too; its release ends that and asks for the menu.
    f.mouse().BackgroundMouseDown(B::Right, at(0, 0));
    f.mouse().BackgroundMouseMove(at(30, -5));
    EXPECT_EQ(left + 30, f.look().window.left);
    EXPECT_EQ(top - 5, f.look().window.top);
    EXPECT_FALSE(f.mouse().MouseUp(B::Left)) << "another button's release";
    f.mouse().BackgroundMouseMove(at(40, 0));
    EXPECT_EQ(left + 40, f.look().window.left) << "still following";
    EXPECT_TRUE(f.mouse().MouseUp(B::Right));
    f.mouse().BackgroundMouseMove(at(90, 90));
    EXPECT_EQ(left + 40, f.look().window.left) << "released: stays";

    // During a left drag the right button starts nothing and asks for no menu.
    f.mouse().BackgroundMouseDown(B::Left, at(0, 0));
    f.mouse().BackgroundMouseDown(B::Right, at(0, 0));
    EXPECT_FALSE(f.mouse().MouseUp(B::Right));
    f.mouse().MouseCaptureLost();  // a menu or another window took the mouse
    EXPECT_FALSE(f.mouse().mouseHeld());
    f.mouse().BackgroundMouseMove(at(5, 5));
    EXPECT_EQ(left + 40, f.look().window.left);
    EXPECT_TRUE(f.mouse().MouseUp(B::Right)) << "a plain right click";

    // A label dragged with the middle button lets go only when that one comes up.
    const int labelLeft = f.look().label(4).left;
    f.mouse().LabelMouseDown(4, 0, 0, B::Middle);
    f.mouse().BackgroundMouseDown(B::Left, at(0, 0));
    f.mouse().MouseUp(B::Left);
    f.mouse().LabelMouseMove(4, 6, 0);
    EXPECT_EQ(labelLeft + 6, f.look().label(4).left);
    f.mouse().MouseUp(B::Middle);
    EXPECT_EQ(0, f.mouse().dragging().captured());
    EXPECT_EQ(left + 40, f.look().window.left);
}

TEST_F(LayoutTest, DraggingNeedsAllowPositionChangeOfExactlyOne) {
    for (const char* value : {"0", "2", "-1"}) {
        working({std::string("AllowPositionChange=") + value});
        TForm1& f = create();
        EXPECT_FALSE(f.mouse().dragging().allowed()) << value;
        const int left = f.look().label(4).left;
        f.mouse().LabelMouseDown(4, 0, 0);
        EXPECT_EQ(0, f.mouse().dragging().captured());
        f.mouse().LabelMouseMove(4, 9, 9);
        EXPECT_EQ(left, f.look().label(4).left);
    }
    working({"AllowPositionChange=0x1"});
    EXPECT_TRUE(create().mouse().dragging().allowed());
    EXPECT_TRUE(stored.settings.labelDragging);
}

}  // namespace
}  // namespace tabrix::test

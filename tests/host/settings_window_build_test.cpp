// The Settings window's build from config.ini and the links between its controls.
#include <set>

#include "settings_window_fixture.h"

#include "../test_support.h"

namespace tabrix::test {
namespace {

using Build = SettingsTest;

TEST_F(Build, AMissingConfigFillsEveryControlFromTheDefaults) {
    TForm3& f = build();
    EXPECT_EQ(f.control<PageControl>("PageControl1").activePage, 0);
    EXPECT_EQ(f.control<Label>("Label12").text, "Move your mouse over the labels to get more information.");
    EXPECT_EQ(f.control<ComboBox>("ComboBox1").text, "N/A");
    EXPECT_EQ(f.control<ComboBox>("ComboBox1").items, std::vector<std::string>{"Default"});
    EXPECT_EQ(f.control<TrackBar>("TrackBar1").position, 255);
    EXPECT_EQ(f.draft.chosenOpacity, 255);
    EXPECT_EQ(owner.log, std::vector<std::string>{"opacity 255"});  // the build's own slider change
    EXPECT_FALSE(f.previewed);
    EXPECT_EQ(editTexts(f), (std::vector<std::string>{"", "0", "0", "0", "0", "0", "0"}));
    EXPECT_FALSE(f.control<Edit>("Edit1").enabled);
    EXPECT_FALSE(f.control<Edit>("Edit2").enabled);
    EXPECT_EQ(f.control<ComboBox>("ComboBox2").text, "*C");
    EXPECT_EQ(f.control<Label>("Label16").text, "8");
    EXPECT_EQ(f.control<Label>("Label18").text, "Tahoma");
    EXPECT_EQ(f.control<Label>("Label17").font.color, 0u);
    for (const char* on : {"CheckBox3", "CheckBox26", "CheckBox28", "CheckBox29", "CheckBox30"})
        EXPECT_TRUE(f.control<CheckBox>(on).checked) << on;
    for (const char* off : {"CheckBox1", "CheckBox2", "CheckBox4", "CheckBox5", "CheckBox6", "CheckBox33",
                            "CheckBox7", "CheckBox8", "CheckBox9", "CheckBox10", "CheckBox25", "CheckBox34"})
        EXPECT_FALSE(f.control<CheckBox>(off).checked) << off;
    // Every module but the graphs, which a missing key leaves off.
    for (CheckBox* module : f.layout.boxesOn(TForm3::kModulesPage))
        EXPECT_EQ(module->checked, module != &f.control<CheckBox>("CheckBox32")) << module->name;
    EXPECT_TRUE(f.control<ListBox>("ListBox1").visible);
    EXPECT_EQ(f.control<Label>("Label31").text, "");  // no interface query until the Modules page shows
    EXPECT_FALSE(f.visible);
}

TEST_F(Build, TheSliderHoldsAlphaToItsRangeAndPreviewsOnlyAChange) {
    general({"alpha=300"});
    EXPECT_EQ(build().control<TrackBar>("TrackBar1").position, 255);
    EXPECT_EQ(owner.log, std::vector<std::string>{"opacity 255"});
    owner.log.clear();
    general({"alpha=0"});
    EXPECT_EQ(build().control<TrackBar>("TrackBar1").position, 0);
    EXPECT_TRUE(owner.log.empty());
    general({"alpha=-20"});
    EXPECT_EQ(build().control<TrackBar>("TrackBar1").position, 0);
    general({"alpha=128"});
    EXPECT_EQ(build().draft.chosenOpacity, 128);
    EXPECT_FALSE(form->previewed);
}

TEST_F(Build, FileOutputActiveGovernsThePathRowAndTheReportBoxes) {
    general({"output=1", "enablexml=1", "enablephp=0", "enablejson=1", "savepath=c:\\web\\stats"});
    TForm3& f = build();
    EXPECT_TRUE(f.control<CheckBox>("CheckBox2").checked);
    EXPECT_TRUE(f.control<Edit>("Edit1").enabled && f.control<Button>("Button8").enabled &&
                f.control<CheckBox>("CheckBox5").enabled && f.control<CheckBox>("CheckBox6").enabled &&
                f.control<CheckBox>("CheckBox33").enabled);
    EXPECT_TRUE(f.control<CheckBox>("CheckBox5").checked && f.control<CheckBox>("CheckBox33").checked);
    EXPECT_FALSE(f.control<CheckBox>("CheckBox6").checked);
    EXPECT_EQ(f.control<Edit>("Edit1").text, "c:\\web\\stats");

    general({"output=0", "enablexml=1", "enablephp=1", "enablejson=1"});
    TForm3& g = build();
    EXPECT_FALSE(g.control<CheckBox>("CheckBox5").checked || g.control<CheckBox>("CheckBox6").checked ||
                 g.control<CheckBox>("CheckBox33").checked);
    EXPECT_FALSE(g.control<Edit>("Edit1").enabled || g.control<Button>("Button8").enabled ||
                 g.control<CheckBox>("CheckBox5").enabled || g.control<CheckBox>("CheckBox6").enabled ||
                 g.control<CheckBox>("CheckBox33").enabled);
    // Off and on again: enabled, still unchecked.
    g.Clicked(g.control<CheckBox>("CheckBox2"));
    EXPECT_TRUE(g.control<CheckBox>("CheckBox2").checked);
    EXPECT_TRUE(g.control<CheckBox>("CheckBox5").enabled && g.control<CheckBox>("CheckBox6").enabled &&
                g.control<CheckBox>("CheckBox33").enabled && g.control<Edit>("Edit1").enabled);
    EXPECT_FALSE(g.control<CheckBox>("CheckBox5").checked || g.control<CheckBox>("CheckBox6").checked ||
                 g.control<CheckBox>("CheckBox33").checked);
    g.Clicked(g.control<CheckBox>("CheckBox5"));
    g.Clicked(g.control<CheckBox>("CheckBox2"));
    EXPECT_FALSE(g.control<CheckBox>("CheckBox5").checked);
    // A disabled box takes no click.
    g.Clicked(g.control<CheckBox>("CheckBox6"));
    EXPECT_FALSE(g.control<CheckBox>("CheckBox6").checked);
}

TEST_F(Build, SwitchesCompareExactlyAndFollowTheirOwnRules) {
    general({"transparent=1",
             "showbar=0",
             "ontop=1",
             "showip=1",
             "ipinterval=120000",
             "scrollenabled=2",
             "ShowUsed=2",
             "SelfDrawEnabled=0",
             "SysTrayIcon=1",
             "showbanner=1",
             "ShouldGetDisk=0",
             "xpwinampicons=0",
             "AllowPositionChange=0x0",
             "hidefullscreen=1",
             "outputinterval=$10",
             "winampbuttonsstay=junk",
             "font=Verdana",
             "fontsize=12",
             "fontcolor=$000000FF",
             "skin=blue.bmp",
             "Temp_label=*F",
             "winamppath=c:\\wa\\winamp.exe",
             "ipserver=http://127.0.0.1/ip",
             "[Modules]",
             "CheckBox13=False",
             "CheckBox21=true",
             "CheckBox31=False"});
    TForm3& f = build();
    EXPECT_TRUE(f.control<CheckBox>("CheckBox1").checked && f.control<CheckBox>("CheckBox4").checked &&
                f.control<CheckBox>("CheckBox7").checked && f.control<CheckBox>("CheckBox8").checked &&
                f.control<CheckBox>("CheckBox9").checked && f.control<CheckBox>("CheckBox25").checked &&
                f.control<CheckBox>("CheckBox34").checked);
    EXPECT_FALSE(f.control<CheckBox>("CheckBox3").checked || f.control<CheckBox>("CheckBox10").checked ||
                 f.control<CheckBox>("CheckBox26").checked || f.control<CheckBox>("CheckBox28").checked ||
                 f.control<CheckBox>("CheckBox29").checked || f.control<CheckBox>("CheckBox30").checked);
    EXPECT_TRUE(f.control<Edit>("Edit2").enabled);
    EXPECT_EQ(editTexts(f), (std::vector<std::string>{"", "120000", "c:\\wa\\winamp.exe", "16", "0",
                                                      "http://127.0.0.1/ip", "0"}));
    EXPECT_EQ(f.control<Label>("Label18").text, "Verdana");
    EXPECT_EQ(f.control<Label>("Label16").text, "12");
    EXPECT_EQ(f.control<Label>("Label17").font.color, 0xFFu);
    EXPECT_EQ(f.control<ComboBox>("ComboBox1").text, "blue.bmp");
    EXPECT_EQ(f.control<ComboBox>("ComboBox2").text, "*F");
    EXPECT_FALSE(f.control<CheckBox>("CheckBox13").checked);
    EXPECT_FALSE(f.control<CheckBox>("CheckBox21").checked);  // "true" is not "True"
    EXPECT_FALSE(f.control<CheckBox>("CheckBox31").checked);
    EXPECT_TRUE(f.control<CheckBox>("CheckBox11").checked);
    EXPECT_FALSE(f.control<ListBox>("ListBox1").visible);
    EXPECT_FALSE(f.visible);
    EXPECT_EQ(owner.log, std::vector<std::string>{"opacity 255"});  // the skin text is no preview
}

TEST_F(Build, ABadFontColourStopsTheBuildWithItsMessage) {
    general({"fontcolor=red", "skin=x"});
    form = std::make_unique<TForm3>(fake.platform, owner);
    EXPECT_EQ(errorOf([&] { form->FormCreate(); }), "'red' is not a valid integer value");
    EXPECT_NE(form->control<ComboBox>("ComboBox1").text, "x");
}

TEST_F(Build, EscapeClosesAndShowingReloadsNothing) {
    TForm3& f = build();
    f.Show();
    f.TextChanged(f.control<Edit>("Edit4"), "2500");
    f.FormKeyDown('A');
    EXPECT_TRUE(f.visible);
    f.FormKeyDown(27);
    EXPECT_FALSE(f.visible);
    f.Show();
    EXPECT_EQ(f.control<Edit>("Edit4").text, "2500");
    EXPECT_EQ(config(), "");
}

TEST_F(Build, TheHelpLineFollowsThePointerAndRestoresOnlyWhereTheTableSays) {
    TForm3& f = build();
    const std::string def = "Move your mouse over the labels to get more information.";
    const std::string xml = "This will enable XML output to the file path specified.";
    // In this order: a control without a line of its own keeps or restores the one before.
    auto lineOver = [&](const char* control) {
        f.pointerOver(control);
        return f.control<Label>("Label12").text;
    };
    expectEach<const char*, std::string>(
        lineOver, {{"Label2", "This options is to be able to use transparent skins."},
                   {"CheckBox1", def},  // unlisted, but leaving a restoring caption
                   {"CheckBox5", xml},
                   {"Button1", xml},  // Save changes nothing
                   {"Label22",
                    "This is the server that reports the external ip address\n\rThe default server is "
                    "http://api.ipify.org/"}});
    EXPECT_NE(lineOver("Edit6"), def);
    expectEach<const char*, std::string>(
        lineOver, {{"TabSheet3", "Choose which of the following you would like Tabrix to display."},
                   {"CheckBox28", "Shows free disk space.  Select multiple drives by using Ctrl key"},
                   {"PageControl1", def},
                   {"Label24",
                    "Use this option text comes up blurry.\n\rNote:  The modules page does not work when "
                    "this is selected."},
                   {"Form3", def},
                   {"Button3", "This will discard all your settings and close this dialog."}});
    EXPECT_EQ(lineOver("CheckBox34"),
              "Hides Tabrix while a game or a video fills the screen it is on.\n\rNote: A maximised window "
              "does not hide it.");
}

TEST_F(Build, EveryControlHasItsDesignPlace) {
    fake.text.charWidth = 5;  // a font as narrow as the one the window was laid out with
    TForm3& f = build();
    auto at = [&](const char* name, int left, int top, int width) {
        Control* c = f.layout.find(name);
        ASSERT_TRUE(c) << name;
        EXPECT_EQ(c->left, left) << name;
        EXPECT_EQ(c->top, top) << name;
        if (width) {
            EXPECT_EQ(c->width, width) << name;
        }
    };
    at("ComboBox1", 136, 8, 121);
    at("TrackBar1", 128, 56, 105);
    at("Edit2", 211, 188, 46);
    at("Edit1", 74, 224, 233);
    at("CheckBox33", 464, 228, 49);  // JSON, beside XML and PHP
    at("Button1", 400, 360, 65);
    at("Button3", 475, 360, 65);
    at("Label12", 8, 356, 385);
    at("PageControl1", 0, 64, 545);
    // "Use built in Winamp icons" (125 wide) keeps its room before the box: that column moves 3.
    at("Edit3", 139, 8, 177);
    at("ComboBox2", 139, 136, 65);
    at("CheckBox20", 8, 224, 0);
    at("CheckBox31", 144, 128, 0);
    at("CheckBox28", 144, 104, 129);
    at("ScrollBar1", 228, 54, 17);
    at("Label31", 252, 56, 257);
    at("ListBox1", 280, 104, 161);
    at("Bevel1", 0, 57, 0);
    at("CheckBox34", 8, 230, 0);  // hide over full-screen programs, under the Advanced page's rows
    // Tab order: Close, the pages, Save.
    std::vector<std::string> top;
    for (const PlacedControl& c : f.layout.controls())
        if (c.page < 0 && (c.kind == ControlKind::Button || c.kind == ControlKind::Pages))
            top.push_back(c.control->name);
    EXPECT_EQ(top, (std::vector<std::string>{"Button3", "PageControl1", "Button1"}));
}

// The window, its help line and config.ini find a control by its name: two controls of one
// name would leave the second unreachable.
TEST_F(Build, EveryControlHasANameOfItsOwn) {
    TForm3& f = build();
    std::set<std::string> names;
    for (const PlacedControl& c : f.layout.controls())
        EXPECT_TRUE(names.insert(c.control->name).second) << c.control->name;
}

TEST_F(Build, CaptionsShowTheirWholeTextAndMoveTheControlsTheyWouldReach) {
    fake.text.charWidth = 6;  // wider: "Use built in Winamp icons" passes x 136, "D/U Monitor" its box
    TForm3& f = build();
    // Whole and in place; the first Advanced caption reaches nothing and is the text wide.
    EXPECT_EQ(f.control<Label>("Label19").left, 8);
    EXPECT_EQ(f.control<Label>("Label19").width, 6 * 20);
    EXPECT_EQ(f.control<Label>("Label28").width, 6 * 25);
    // The Advanced page's control column moves right together: 8 + 150 + 6 - 136 = 28.
    for (const char* name : {"Edit3", "Edit4", "ComboBox2", "CheckBox29", "CheckBox30"})
        EXPECT_EQ(f.layout.find(name)->left, 136 + 28) << name;
    EXPECT_EQ(f.control<Button>("Button6").left, 320 + 28);
    EXPECT_EQ(f.control<Picture>("Image3").left, 504);
    // D/U Monitor's box holds its caption; the chooser beside it moves: 144 + 86 + 6 - 228 = 8.
    EXPECT_EQ(f.control<CheckBox>("CheckBox23").width, 20 + 66);
    EXPECT_EQ(f.control<UpDown>("ScrollBar1").left, 236);
    EXPECT_EQ(f.control<Label>("Label31").left, 260);
    EXPECT_EQ(f.control<CheckBox>("CheckBox24").left, 144);
    // No caption of any page now reaches another control in its row; values keep their widths.
    for (const PlacedControl& c : f.layout.controls()) {
        const bool caption =
            (c.kind == ControlKind::Label && static_cast<Label*>(c.control)->autoSize) ||
            (c.kind == ControlKind::CheckBox && !static_cast<CheckBox*>(c.control)->caption.empty());
        if (!caption || c.page < 0) continue;
        for (const PlacedControl& d : f.layout.controls()) {
            if (d.page == c.page && d.control != c.control && d.control->visible &&
                d.kind != ControlKind::Picture && d.control->left > c.control->left &&
                d.control->top < c.control->top + c.control->height &&
                c.control->top < d.control->top + d.control->height) {
                EXPECT_LE(c.control->left + c.control->width, d.control->left)
                    << c.control->name << " reaches " << d.control->name;
            }
        }
    }
    EXPECT_EQ(f.control<Label>("Label18").width, 80);
}

// Measured in the font of the screen's resolution, in a font from narrow to wide: no two
// controls the Modules page can show (the drive list with Free Disk Space) overlap.
TEST_F(Build, NoTwoControlsOfTheModulesPageOverlap) {
    for (const auto& [dpi, charWidth] : {std::pair{96, 5}, {96, 6}, {96, 8}, {144, 6}, {192, 7}}) {
        fake.desktop.dpi = dpi;
        fake.text.charWidth = charWidth;
        TForm3& f = build();
        std::vector<const Control*> shown;
        for (const PlacedControl& c : f.layout.controls())
            if (c.page == TForm3::kModulesPage && (c.control->visible || c.control->name == "ListBox1"))
                shown.push_back(c.control);
        for (const Control* a : shown)
            for (const Control* b : shown)
                if (a < b) {
                    EXPECT_FALSE(a->left < b->left + b->width && b->left < a->left + a->width &&
                                 a->top < b->top + b->height && b->top < a->top + a->height)
                        << a->name << " and " << b->name << " at " << dpi << " dpi, " << charWidth;
                }
    }
}

}  // namespace
}  // namespace tabrix::test

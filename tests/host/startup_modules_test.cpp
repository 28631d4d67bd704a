// Which labels start-up shows, their draw marks, and the module flags it stores.
#include "startup_fixture.h"

namespace tabrix::test {
namespace {

struct Module {
    const char* key;
    std::vector<int> labels;
};

const std::vector<Module> kPlainModules = {
    {"CheckBox11", {3, 4}},   {"CheckBox12", {5, 6}},   {"CheckBox13", {7, 8}},
    {"CheckBox14", {9, 10}},  {"CheckBox15", {11, 12}}, {"CheckBox16", {15, 16}},
    {"CheckBox17", {17, 18}}, {"CheckBox18", {19, 20}}, {"CheckBox19", {21, 22, 31}},
    {"CheckBox20", {23, 24}}, {"CheckBox22", {13, 14}}, {"CheckBox23", {32, 33}},
    {"CheckBox24", {34}},
};

class ModulesTest : public StartupTest {
protected:
    void modules(const std::string& value) {
        std::vector<std::string> lines = {"[general]", "skin=Default", "[Modules]"};
        for (const Module& m : kPlainModules) lines.push_back(std::string(m.key) + "=" + value);
        lines.push_back("CheckBox21=" + value);
        lines.push_back("CheckBox31=" + value);
        std::string text;
        for (const std::string& l : lines) text += l + "\r\n";
        fake.files.put(kConfigPath, text);
    }
};

TEST_F(ModulesTest, TrueShowsEveryModuleForDrawing) {
    modules("True");
    const TForm1& f = create();
    ASSERT_TRUE(completed()) << startupFailure(f);
    for (const Module& m : kPlainModules)
        for (int n : m.labels) {
            EXPECT_TRUE(f.look().label(n).visible) << m.key << " " << n;
            EXPECT_EQ(2, f.look().label(n).drawMark) << m.key << " " << n;
        }
    EXPECT_TRUE(f.look().label(2).visible);
    EXPECT_TRUE(stored.sensorModule);
    EXPECT_EQ(ModuleFlag::On, stored.songModule);
    EXPECT_TRUE(stored.trafficModule);
    // The sensor labels are the refresh's business.
    EXPECT_FALSE(f.look().label(25).visible);
    EXPECT_FALSE(f.look().label(35).visible);
}

TEST_F(ModulesTest, FalseHidesEveryModuleAndMarksItUnpainted) {
    modules("False");
    const TForm1& f = create();
    for (const Module& m : kPlainModules)
        for (int n : m.labels) {
            EXPECT_FALSE(f.look().label(n).visible) << m.key << " " << n;
            EXPECT_EQ(1, f.look().label(n).drawMark) << m.key << " " << n;
        }
    EXPECT_FALSE(f.look().label(2).visible);
    EXPECT_EQ(1, f.look().label(2).drawMark);
    EXPECT_FALSE(stored.sensorModule);
    EXPECT_EQ(ModuleFlag::Off, stored.songModule);
    EXPECT_FALSE(stored.trafficModule);
    EXPECT_FALSE(f.look().label(36).visible);
}

TEST_F(ModulesTest, OtherValuesKeepTheDesignAndComparisonIsCaseSensitive) {
    for (const char* value : {"true", "FALSE", "1", ""}) {
        modules(value);
        const TForm1& f = create();
        for (const Module& m : kPlainModules)
            for (int n : m.labels) {
                // Song labels are hidden in the design, the rest shown.
                EXPECT_EQ(n != 13 && n != 14, f.look().label(n).visible) << value << " " << n;
                EXPECT_EQ(2, f.look().label(n).drawMark) << value << " " << n;
            }
        EXPECT_TRUE(f.look().label(2).visible);
        EXPECT_FALSE(stored.sensorModule) << value;  // anything but "True" is off
    }
}

TEST_F(ModulesTest, NoModulesSectionMeansTrue) {
    working({});
    const TForm1& f = create();
    EXPECT_TRUE(f.look().label(13).visible);
    EXPECT_TRUE(f.look().label(14).visible);
    EXPECT_TRUE(stored.sensorModule);
    EXPECT_EQ(ModuleFlag::On, stored.songModule);
    EXPECT_TRUE(stored.trafficModule);
}

TEST_F(ModulesTest, ProcessorNameIsOnlyEverSwitchedOff) {
    working({}, {"[modules]", "CheckBox31=True", "CheckBox11=False"});
    EXPECT_TRUE(create().look().label(2).visible);
    working({}, {"[MODULES]", "checkbox31=False"});  // names compare without case
    const TForm1& f = create();
    EXPECT_FALSE(f.look().label(2).visible);
    EXPECT_EQ(1, f.look().label(2).drawMark);
}

TEST_F(ModulesTest, SongAndTrafficFlagsKeepTheirValueForOtherTexts) {
    EXPECT_EQ(ModuleFlag::Undecided, stored.songModule);  // program start
    EXPECT_FALSE(stored.trafficModule);
    working({}, {"[modules]", "CheckBox22=maybe", "CheckBox23=maybe"});
    create();
    EXPECT_EQ(ModuleFlag::Undecided, stored.songModule);
    EXPECT_FALSE(stored.trafficModule);

    working({}, {"[modules]", "CheckBox22=True", "CheckBox23=True"});
    create();
    working({}, {"[modules]", "CheckBox22=yes", "CheckBox23=on"});
    create();  // a re-creation: the flags outlive the window
    EXPECT_EQ(ModuleFlag::On, stored.songModule);
    EXPECT_TRUE(stored.trafficModule);

    working({}, {"[modules]", "CheckBox22=False", "CheckBox23=False"});
    create();
    working({}, {"[modules]", "CheckBox22=true", "CheckBox23=TRUE"});
    create();
    EXPECT_EQ(ModuleFlag::Off, stored.songModule);
    EXPECT_FALSE(stored.trafficModule);
}

TEST_F(ModulesTest, SelfDrawHidesEveryLabelAndPaintsThemAll) {
    working({"SelfDrawEnabled=1"}, {"[modules]", "CheckBox11=False", "CheckBox19=False"});
    const TForm1& f = create();
    ASSERT_TRUE(completed()) << startupFailure(f);
    for (int n = kFirstMainLabel; n <= kLastMainLabel; ++n) {
        EXPECT_FALSE(f.look().label(n).visible) << n;
        EXPECT_EQ(2, f.look().label(n).drawMark) << n;
    }
    EXPECT_TRUE(f.look().timers.DrawTimer.enabled);
    EXPECT_EQ(2000u, f.look().timers.DrawTimer.interval);
    EXPECT_TRUE(stored.settings.selfDraw);
    EXPECT_FALSE(stored.settings.songLabelsMayShow);

    for (const char* value : {"0", "2", "True"}) {
        working({std::string("SelfDrawEnabled=") + value});
        const TForm1& g = create();
        EXPECT_FALSE(g.look().timers.DrawTimer.enabled) << value;
        EXPECT_TRUE(g.look().label(4).visible) << value;
        EXPECT_FALSE(stored.settings.selfDraw) << value;
        // Only "0" lets the refresh show the song labels.
        EXPECT_EQ(std::string(value) == "0", stored.settings.songLabelsMayShow) << value;
    }
}

TEST_F(ModulesTest, DiskSpaceIsStoredAndReportedOnlyForOne) {
    fake.files.put("C:\\Tabrix\\drives.inf", "3\r\n");
    fake.disks.drives['C'] = {18000000000, 40000000000};
    working({"ShouldGetDisk=1"});
    const TForm1& f = create();
    EXPECT_TRUE(stored.settings.getDiskSpace);
    EXPECT_EQ("\n\rC: 45 % of 37.25 Gb", f.look().label(36).text);
    EXPECT_TRUE(f.look().label(36).visible);
    EXPECT_EQ(1, f.look().label(36).drawMark);

    working({"ShouldGetDisk=2"});
    EXPECT_FALSE(create().look().label(36).visible);
    EXPECT_FALSE(stored.settings.getDiskSpace);
    working({});
    create();
    EXPECT_FALSE(stored.settings.getDiskSpace);
}

TEST_F(ModulesTest, AFailingDriveReportStopsStartUpAtStepTen) {
    working({"ShouldGetDisk=1", "ontop=1", "SysTrayIcon=1"});  // and no drives.inf
    const TForm1& f = create();
    EXPECT_EQ(10, lastStartupStep(f));
    EXPECT_EQ("Cannot open file C:\\Tabrix\\drives.inf", startupFailure(f));
    EXPECT_EQ(std::vector<std::string>{"There was a problem starting Tabrix"}, errors.shown);
    EXPECT_TRUE(f.look().image(1).bitmap.empty());
    EXPECT_TRUE(fake.tray.added.empty());
    // Step 13 never ran: the design's stay-on-top window with its About entry.
    EXPECT_TRUE(f.look().window.stayOnTop);
    EXPECT_TRUE(f.look().window.aboutInSystemMenu);
}

}  // namespace
}  // namespace tabrix::test

// Where start-up stops and what it leaves; skin, banner, player pictures, tray and the
// once-only facts.
#include <random>

#include "startup_fixture.h"

namespace tabrix::test {
namespace {

using FailureTest = StartupTest;

// The state a start-up that stopped at the skin leaves behind.
void expectStoppedAtSkin(const TForm1& f, const RecordingErrors& errors, const FakeTray& tray,
                         const std::string& why) {
    EXPECT_EQ(14, lastStartupStep(f)) << why;
    EXPECT_FALSE(startupFailure(f).empty()) << why;
    EXPECT_EQ(std::vector<std::string>{"There was a problem starting Tabrix"}, errors.shown) << why;
    EXPECT_EQ(688, f.look().window.left) << why;
    EXPECT_EQ(168, f.look().window.top) << why;
    EXPECT_TRUE(f.look().window.colorKey) << why;
    EXPECT_FALSE(f.look().window.alphaBlend) << why;
    EXPECT_EQ("CPU:", f.look().label(2).text) << why;
    EXPECT_EQ("X", f.look().label(6).text) << why;
    EXPECT_TRUE(f.look().image(1).bitmap.empty()) << why;
    EXPECT_FALSE(f.look().window.bannerPainted) << why;
    EXPECT_FALSE(f.look().tray.added) << why;
    EXPECT_TRUE(tray.added.empty()) << why;
}

TEST_F(FailureTest, NoConfigAtAllStopsAtTheDefaultSkin) {
    const TForm1& f = create();
    expectStoppedAtSkin(f, errors, fake.tray, "no config.ini");
    EXPECT_EQ("Cannot open file C:\\Tabrix\\skins\\N/A", startupFailure(f));
    EXPECT_FALSE(f.look().window.stayOnTop);
    EXPECT_TRUE(f.look().window.toolCaption);
    EXPECT_FALSE(f.look().window.aboutInSystemMenu);
    EXPECT_EQ("Tahoma", f.look().label(4).font.face);
    EXPECT_EQ(-11, f.look().label(4).font.height);
    EXPECT_EQ(0u, f.look().label(4).font.color);
    EXPECT_EQ("0.50", stored.version);
    EXPECT_EQ("*C", stored.settings.tempLabel);
    EXPECT_FALSE(stored.settings.playerPicturesFromFiles);
    EXPECT_FALSE(stored.settings.trayIcon);
    EXPECT_EQ("0", stored.settings.winampPath);
    ASSERT_EQ(1u, fake.desktop.hidden.size());
    EXPECT_EQ("TForm1", fake.desktop.hidden[0].first);
    EXPECT_EQ("Tabrix", fake.desktop.hidden[0].second);
    EXPECT_TRUE(fake.ui.boxes.empty());
}

TEST_F(FailureTest, EverySkinThatIsNotABitmapStopsStartUp) {
    BmpFile huge;
    huge.width = 100000;
    huge.height = 100000;
    huge.pixels = std::string(64, '\0');
    const std::string good = bmp24Solid(8, 8, 0xFFFFFF);
    struct Case {
        const char* why;
        const char* skin;
        std::string bytes;
        bool present;
    };
    for (const Case& c : {Case{"missing", "gone.bmp", "", false}, Case{"N/A", "N/A", "", false},
                          Case{"empty", "empty.bmp", "", true},
                          Case{"truncated", "cut.bmp", good.substr(0, good.size() - 1), true},
                          Case{"text", "notes.bmp", "[general]\r\nskin=notes.bmp\r\n", true},
                          Case{"huge", "huge.bmp", huge.bytes(), true}, Case{"folder", "", "", false},
                          Case{"case", "default", "", false}}) {
        errors.shown.clear();
        if (c.present) fake.files.put(std::string("C:\\Tabrix\\skins\\") + c.skin, c.bytes);
        config({"[general]", std::string("skin=") + c.skin, "transparent=0", "alpha=100", "SysTrayIcon=1",
                "[position]", "left=5", "top=5"});
        const TForm1& f = create();
        expectStoppedAtSkin(f, errors, fake.tray, c.why);
    }
}

TEST_F(FailureTest, DefaultAndNamedSkinsLoadFromTheSkinsFolder) {
    working({});
    const TForm1& f = create();
    ASSERT_TRUE(completed()) << startupFailure(f);
    EXPECT_TRUE(errors.shown.empty());
    EXPECT_EQ(40, f.look().image(1).bitmap.width);
    EXPECT_EQ(kSkinColor, f.look().image(1).bitmap.at(39, 79));

    fake.files.put("C:\\Tabrix\\skins\\blue sky.jpg", bmp24Solid(20, 10, 0x0000FF));
    config({"[general]", "skin=blue sky.jpg", "showbanner=0"});
    const TForm1& g = create();  // read as a bitmap whatever its name
    ASSERT_TRUE(completed()) << startupFailure(g);
    EXPECT_EQ(20, g.look().image(1).bitmap.width);
    EXPECT_EQ(0x0000FFu, g.look().image(1).bitmap.at(0, 0));
}

TEST_F(FailureTest, BannerStripIsGreyInTheSkinsCornerOnlyForMinusOne) {
    working({});
    const TForm1& f = create();
    const Pixels& skin = f.look().image(1).bitmap;
    EXPECT_TRUE(f.look().window.bannerPainted);
    EXPECT_EQ(0x808080u, skin.at(0, 0));
    EXPECT_EQ(0x808080u, skin.at(14, 56));
    EXPECT_EQ(kSkinColor, skin.at(15, 0));  // right and bottom edges excluded
    EXPECT_EQ(kSkinColor, skin.at(0, 57));

    for (const char* value : {"0", "1", "true"}) {
        working({std::string("showbanner=") + value});
        const TForm1& g = create();
        EXPECT_FALSE(g.look().window.bannerPainted) << value;
        EXPECT_EQ(kSkinColor, g.look().image(1).bitmap.at(0, 0)) << value;
    }

    fake.files.put(kDefaultSkinPath, bmp24Solid(4, 3, kSkinColor));  // smaller than the strip
    working({});
    const TForm1& small = create();
    ASSERT_TRUE(completed()) << startupFailure(small);
    for (uint32_t pixel : small.look().image(1).bitmap.data) EXPECT_EQ(0x808080u, pixel);
}

TEST_F(FailureTest, GarbageConfigReadsAsDefaults) {
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        std::string junk;
        for (int i = 0; i < 3000; ++i) {
            const char c = static_cast<char>(random() & 0xFF);
            junk.push_back(c == '[' || c == '=' ? ' ' : c);  // no sections or keys
        }
        fake.files.put(kConfigPath, junk);
        errors.shown.clear();
        fake.tray.added.clear();
        const TForm1& f = create();
        expectStoppedAtSkin(f, errors, fake.tray, "garbage round " + std::to_string(round));
        EXPECT_EQ("Tahoma", f.look().label(4).font.face);
    }
}

class PlayerPicturesTest : public StartupTest {
protected:
    void putButton(const char* file, uint32_t color) {
        fake.files.put(std::string("C:\\Tabrix\\winamp_buttons\\") + file, bmp24Solid(13, 14, color));
    }
};

TEST_F(PlayerPicturesTest, AllFiveLoadInOrder) {
    putButton("back.bmp", 1);
    putButton("play.bmp", 2);
    putButton("pause.bmp", 3);
    putButton("stop.bmp", 4);
    putButton("forward.bmp", 5);
    working({"xpwinampicons=0"});
    const TForm1& f = create();
    ASSERT_TRUE(completed()) << startupFailure(f);
    EXPECT_EQ(1u, f.look().image(6).bitmap.at(0, 0));
    EXPECT_EQ(2u, f.look().image(2).bitmap.at(0, 0));
    EXPECT_EQ(3u, f.look().image(3).bitmap.at(0, 0));
    EXPECT_EQ(4u, f.look().image(4).bitmap.at(0, 0));
    EXPECT_EQ(5u, f.look().image(7).bitmap.at(0, 0));
    EXPECT_TRUE(fake.ui.boxes.empty());

    working({"xpwinampicons=1"});
    EXPECT_TRUE(create().look().image(2).bitmap.empty());  // the design pictures
    EXPECT_EQ(102, form->look().image(2).resourceId);
}

TEST_F(PlayerPicturesTest, AFailureInTheMiddleStopsLoadingButNotStartUp) {
    putButton("back.bmp", 1);
    putButton("play.bmp", 2);
    fake.files.put("C:\\Tabrix\\winamp_buttons\\pause.bmp", "not a bitmap");
    putButton("stop.bmp", 4);
    putButton("forward.bmp", 5);
    working({"xpwinampicons=0", "SysTrayIcon=1"});
    const TForm1& f = create();
    ASSERT_TRUE(completed()) << startupFailure(f);
    EXPECT_TRUE(errors.shown.empty());
    EXPECT_FALSE(f.look().image(6).bitmap.empty());
    EXPECT_FALSE(f.look().image(2).bitmap.empty());
    EXPECT_TRUE(f.look().image(3).bitmap.empty());
    EXPECT_TRUE(f.look().image(4).bitmap.empty());
    EXPECT_TRUE(f.look().image(7).bitmap.empty());
    ASSERT_EQ(1u, fake.ui.boxes.size());
    EXPECT_EQ("Cannot load the Winamp buttons", fake.ui.boxes[0].text);
    EXPECT_EQ("Tabrix", fake.ui.boxes[0].caption);
    EXPECT_TRUE(f.look().tray.added);  // step 19 still ran

    fake.ui.boxes.clear();
    fake.files.remove("C:\\Tabrix\\winamp_buttons\\back.bmp");
    EXPECT_TRUE(create().look().image(6).bitmap.empty());
    EXPECT_TRUE(form->look().image(2).bitmap.empty());
    EXPECT_EQ(1u, fake.ui.boxes.size());
}

TEST_F(FailureTest, TrayIconOnlyForOne) {
    working({"SysTrayIcon=1"});
    const TForm1& f = create();
    EXPECT_TRUE(f.look().tray.added);
    ASSERT_EQ(1u, fake.tray.added.size());
    const TrayRecord& r = fake.tray.added[0];
    EXPECT_EQ(88u, r.size);
    EXPECT_EQ(0u, r.id);
    EXPECT_EQ(7u, r.flags);
    EXPECT_EQ(0x401u, r.callbackMessage);
    EXPECT_EQ("Tabrix", r.tip);

    for (const char* value : {"0", "2", "True"}) {
        working({std::string("SysTrayIcon=") + value});
        EXPECT_FALSE(create().look().tray.added) << value;
    }
    EXPECT_EQ(1u, fake.tray.added.size());

    fake.tray.failAdd = true;
    working({"SysTrayIcon=1"});
    EXPECT_FALSE(create().look().tray.added);
    EXPECT_TRUE(completed());
    EXPECT_TRUE(errors.shown.empty());
}

TEST_F(FailureTest, ProcessorClassFromTheFamily) {
    struct Case {
        int family;
        const char* text;
    };
    for (const Case& c : {Case{6, "686"}, Case{15, "686+"}, Case{16, "1686"}, Case{4, "486"}}) {
        fake.facts.processorFamily = c.family;
        working({});
        EXPECT_EQ(c.text, create().look().label(6).text) << c.family;
    }
    EXPECT_EQ(fake.facts.brand, form->look().label(2).text);
    EXPECT_EQ(fake.facts.version, form->look().label(8).text);
    EXPECT_EQ(fake.facts.connection, form->look().label(22).text);
}

TEST_F(FailureTest, EmptyProcessorNameAsksToUncheckAdvancedDetection) {
    fake.facts.brand = "";
    working({});
    const TForm1& f = create();
    ASSERT_TRUE(completed());
    ASSERT_EQ(1u, fake.ui.boxes.size());
    EXPECT_EQ("To see your CPU name, please uncheck\n\rAdvanced CPU Detection under advanced Settings",
              fake.ui.boxes[0].text);
    EXPECT_EQ("Tabrix", fake.ui.boxes[0].caption);
    EXPECT_EQ("", f.look().label(2).text);
}

}  // namespace
}  // namespace tabrix::test

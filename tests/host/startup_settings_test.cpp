// The start-up settings record: every text of config.ini is compared once, exactly.
#include <gtest/gtest.h>

#include "config/IniFile.h"
#include "platform/fake/FakeFiles.h"
#include "windows/main/StartupSettings.h"

namespace tabrix::test {
namespace {

constexpr char kPath[] = "C:\\Tabrix\\config.ini";

StartupSettings read(const std::string& lines) {
    FakeFiles files;
    files.put(kPath, lines);
    return readStartupSettings(IniFile(files, kPath), 280, 330);
}

TEST(StartupSettings, OnlyTheExactTextsSwitchAndOtherTextsKeepTheirOwnMeaning) {
    const StartupSettings none = read("");
    EXPECT_FALSE(none.savePositions);
    EXPECT_EQ(PlayerButtons::WhilePlayerRuns, none.playerButtons);
    EXPECT_TRUE(none.songLabelsMayShow);
    EXPECT_FALSE(none.selfDraw);
    EXPECT_TRUE(none.toolCaption);
    EXPECT_TRUE(none.banner);
    EXPECT_EQ("N/A", none.skinFile);
    EXPECT_EQ(ModuleSwitch::True, none.module(31));
    EXPECT_EQ(0u, none.fontColor);
    EXPECT_TRUE(none.fontColorProblem.empty());

    const StartupSettings other = read(
        "[general]\r\nwinampbuttonsstay=3\r\nSelfDrawEnabled=2\r\nshowbar=True\r\nshowbanner=0\r\n"
        "skin=Default\r\nscrollenabled=no\r\nSysTrayIcon=01\r\nShouldGetDisk=0x1\r\n"
        "xpwinampicons=0\r\nalpha=256\r\nfontcolor=nocolour\r\n[modules]\r\nCheckBox22=true\r\n"
        "CheckBox23=False\r\n");
    EXPECT_EQ(PlayerButtons::AsTheyAre, other.playerButtons);
    // "2" is neither self-draw nor the plain window that may show the song.
    EXPECT_FALSE(other.selfDraw);
    EXPECT_FALSE(other.songLabelsMayShow);
    EXPECT_FALSE(other.toolCaption);
    EXPECT_FALSE(other.banner);
    EXPECT_EQ("transparent.bmp", other.skinFile);
    EXPECT_TRUE(other.scrolling);
    EXPECT_FALSE(other.trayIcon);
    EXPECT_TRUE(other.getDiskSpace);  // an integer key: 0x1 is 1
    EXPECT_TRUE(other.playerPicturesFromFiles);
    EXPECT_EQ(0, other.alpha);
    EXPECT_TRUE(other.alphaBlend);
    EXPECT_EQ("'nocolour' is not a valid integer value", other.fontColorProblem);
    EXPECT_EQ(ModuleSwitch::Other, other.module(22));
    EXPECT_EQ(ModuleSwitch::False, other.module(23));

    const StartupSettings saved = read(
        "[general]\r\nsavepositions=1\r\nFormHeight=400\r\n"
        "[Labels]\r\nlabel34left=7\r\nLabel2top=9\r\nLabel36left=5\r\nLabel36top=6\r\n"
        "[Sensors]\r\nreading2=GPU\r\nreading3=Drive\r\n");
    EXPECT_EQ(7, saved.labelPlaces[kLabelBattery].left);
    EXPECT_EQ(5, saved.labelPlaces[kLabelDiskSpace].left);  // the last label's place too
    EXPECT_EQ(6, saved.labelPlaces[kLabelDiskSpace].top);
    EXPECT_EQ((std::vector<std::string>{"", "GPU", "Drive"}),
              std::vector<std::string>(saved.sensorReadings, saved.sensorReadings + 3));
    EXPECT_EQ(9, saved.labelPlaces[kLabelCpuName].top);
    EXPECT_EQ(0, saved.labelPlaces[kLabelCpuName].left);
    EXPECT_EQ(280, saved.formWidth);  // the design size where no size was saved
    EXPECT_EQ(400, saved.formHeight);
}

}  // namespace
}  // namespace tabrix::test

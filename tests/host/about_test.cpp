// The About window: the running-system text, its design, and what its link, keys and
// buttons do.
#include <gtest/gtest.h>

#include "../test_support.h"
#include "platform/fake/FakeShell.h"
#include "window_fixture.h"
#include "windows/about/Unit2.h"

namespace tabrix::test {
namespace {

VersionInfo version(uint32_t major, uint32_t minor, uint32_t build, uint32_t platform, const char* sp = "") {
    return VersionInfo{major, minor, build, platform, sp};
}

std::string label10For(const VersionInfo& v) {
    TForm2 about(nullptr, nullptr, 96);
    about.FormCreate(v);
    return about.Label10.text;
}

// Every character the same width; the line 13 pixels.
class EvenText : public TextMeasure {
public:
    explicit EvenText(int perCharacter) : perCharacter_(perCharacter) {}
    Extent measure(const Font&, const std::string& text) override {
        return {static_cast<int>(text.size()) * perCharacter_, 13};
    }

private:
    int perCharacter_;
};

}  // namespace

TEST(AboutSystemText, NamesEveryKnownVersionWithItsBuildAndServicePack) {
    EXPECT_EQ("Microsoft Windows XP Build 2600 Service Pack 2",
              label10For(version(5, 1, 2600, kPlatformNt, "Service Pack 2")));
    EXPECT_EQ("Microsoft Windows XP Build 2600 Service Pack 1",
              label10For(version(5, 1, 2600, kPlatformNt, "Service Pack 1")));
    EXPECT_EQ("Microsoft Windows 2000 Build 2195", label10For(version(5, 0, 2195, kPlatformNt)));
    EXPECT_EQ("Microsoft Windows NT 4.0 Build 1381 Service Pack 6",
              label10For(version(4, 0, 1381, kPlatformNt, "Service Pack 6")));
    EXPECT_EQ("Microsoft Windows 95 Build 950", label10For(version(4, 0, 950, kPlatformWin9x)));
    EXPECT_EQ("Microsoft Windows .NET Build 3790", label10For(version(5, 2, 3790, kPlatformNt)));
    EXPECT_EQ("Microsoft Windows Longhorn Build 4074", label10For(version(6, 0, 4074, kPlatformNt)));
    EXPECT_EQ("Microsoft Windows NT 3.51 Build 1057", label10For(version(3, 51, 1057, kPlatformNt)));
    // 4.10 and 4.90 whatever the platform says.
    EXPECT_EQ("Microsoft Windows 98 Build 2222 A", label10For(version(4, 10, 2222, kPlatformWin9x, "A")));
    EXPECT_EQ("Microsoft Windows 98 Build 1998", label10For(version(4, 10, 1998, kPlatformNt)));
    EXPECT_EQ("Microsoft Windows ME Build 3000", label10For(version(4, 90, 3000, kPlatformWin9x)));
}

TEST(AboutSystemText, LaterVersionsShareTheMainWindowsRows) {
    EXPECT_EQ("Microsoft Windows 7 Build 7601 Service Pack 1",
              label10For(version(6, 1, 7601, kPlatformNt, "Service Pack 1")));
    EXPECT_EQ("Microsoft Windows 11 Build 22631", label10For(VersionInfo{10, 0, 22631, kPlatformNt, "", 1}));
    EXPECT_EQ("Microsoft Windows Windows Server 2019 Build 17763",
              label10For(VersionInfo{10, 0, 17763, kPlatformNt, "", 3}));
}

TEST(AboutSystemText, UnknownVersionsLeaveTheNameEmpty) {
    EXPECT_EQ("Microsoft Windows  Build 9800", label10For(version(6, 4, 9800, kPlatformNt)));
    EXPECT_EQ("Microsoft Windows  Build 7601 Service Pack 1",
              label10For(version(7, 1, 7601, kPlatformNt, "Service Pack 1")));
    // 4.0 on a platform that is neither family, and a record that could not be read.
    EXPECT_EQ("Microsoft Windows  Build 950", label10For(version(4, 0, 950, 0)));
    EXPECT_EQ("Microsoft Windows  Build 0", label10For(VersionInfo{}));
}

TEST(AboutSystemText, Windows9xBuildIsTheLowWordOnly) {
    // Windows 95 reports 4.0 in the high word: 0x040003B6.
    EXPECT_EQ("95 Build 950", runningSystemText(version(4, 0, 0x040003B6, kPlatformWin9x)));
    EXPECT_EQ("98 Build 2222 A", runningSystemText(version(4, 10, 0x040A08AE, kPlatformWin9x, "A")));
    // The NT family's build number is whole.
    EXPECT_EQ("11 Build 70000", runningSystemText(version(10, 0, 70000, kPlatformNt)));
}

TEST(AboutWindow, DesignPlacesEveryControl) {
    TForm2 f(nullptr, nullptr, 96);
    EXPECT_FALSE(f.visible);
    EXPECT_EQ(104, f.left);
    EXPECT_EQ(193, f.top);
    EXPECT_EQ(552, f.clientWidth);
    EXPECT_EQ(359, f.clientHeight);
    EXPECT_EQ("Tahoma", f.font.face);
    EXPECT_EQ(-11, f.font.height);
    struct Expected {
        const Label& label;
        const char* text;
        int left, top;
        bool bold;
    };
    for (const Expected& e :
         {Expected{f.Label7, "Ostrel Studio", 480, 8, true},
          Expected{f.Label1, "Tabrix System Monitor", 80, 72, true},
          Expected{f.Label2, "Version 0.50", 80, 88, true},
          Expected{f.Label3, "Designed for Microsoft Windows 2000, XP", 80, 104, false},
          Expected{f.Label8, "Your are currently running:", 80, 152, false},
          Expected{f.Label10, "", 216, 152, false}, Expected{f.Label21, "Tabrix website", 8, 336, false}}) {
        EXPECT_EQ(e.text, e.label.text) << e.label.name;
        EXPECT_EQ(e.left, e.label.left) << e.label.name;
        EXPECT_EQ(e.top, e.label.top) << e.label.name;
        EXPECT_EQ(e.bold, e.label.font.bold) << e.label.name;
        EXPECT_EQ(-11, e.label.font.height) << e.label.name;
    }
    EXPECT_EQ("Tahoma", f.Label1.font.face);
    EXPECT_EQ("MS Sans Serif", f.Label21.font.face);
    EXPECT_EQ(0xFF0000u, f.Label21.font.color);  // blue
    EXPECT_TRUE(f.linkUnderlined);
    EXPECT_EQ("OK", f.Button1.text);
    // 8 points at a larger font setting.
    TForm2 large(nullptr, nullptr, 120);
    EXPECT_EQ(-13, large.Label2.font.height);
    EXPECT_EQ(-13, large.Label21.font.height);
}

TEST(AboutWindow, LabelsKeepTheirDesignPlacesWhereTheirTextsFit) {
    EvenText narrow(4);
    TForm2 f(nullptr, &narrow, 96);
    f.FormCreate(version(5, 1, 2600, kPlatformNt, "Service Pack 3"));
    EXPECT_EQ(216, f.Label10.left);
    EXPECT_EQ(46 * 4, f.Label10.width);
    EXPECT_EQ(13, f.Label10.height);
    EXPECT_EQ(480, f.Label7.left);
    EXPECT_EQ(52, f.Label7.width);
    EXPECT_EQ(8, f.Label21.left);
}

TEST(AboutWindow, AWiderFontHidesNoText) {
    EvenText wide(6);
    TForm2 f(nullptr, &wide, 96);
    f.FormCreate(version(5, 1, 2600, kPlatformNt, "Service Pack 3"));
    // "Your are currently running:" ends at 80 + 162: the system text follows 3 pixels on.
    EXPECT_EQ(245, f.Label10.left);
    EXPECT_EQ(152, f.Label10.top);
    // "Ostrel Studio" (78 pixels) ends 3 pixels inside the 552-pixel client area.
    EXPECT_EQ(471, f.Label7.left);
    EXPECT_EQ(8, f.Label7.top);
    EXPECT_EQ(80, f.Label1.left);

    // A system text too long for the window is cut at its edge, not laid over its caption.
    TForm2 g(nullptr, &wide, 96);
    g.FormCreate(version(5, 1, 2600, kPlatformNt, std::string(60, 'x').c_str()));
    EXPECT_EQ(245, g.Label10.left);
}

TEST(AboutWindow, LinkOpensTheSiteAndTurnsRedUnderThePointer) {
    FakeShell shell;
    TForm2 f(&shell, nullptr, 96);
    f.Label21MouseMove();
    EXPECT_EQ(0x0000FFu, f.Label21.font.color);  // red
    f.Label21MouseMove();
    EXPECT_EQ(0x0000FFu, f.Label21.font.color);
    f.Label21MouseLeave();
    EXPECT_EQ(0xFF0000u, f.Label21.font.color);
    EXPECT_TRUE(shell.calls.empty());

    f.Label21Click();
    ASSERT_EQ(1u, shell.calls.size());
    EXPECT_EQ("http://tabrix.ostrel-studio.example/", shell.calls[0].file);
    EXPECT_EQ("open", shell.calls[0].verb);
    EXPECT_EQ("", shell.calls[0].parameters);
    EXPECT_EQ("", shell.calls[0].directory);
    EXPECT_EQ(1, shell.calls[0].showCommand);  // SW_SHOWNORMAL
    EXPECT_FALSE(f.visible);                   // the window neither opens nor closes for it

    TForm2 noShell(nullptr, nullptr, 96);
    noShell.Label21Click();  // nothing to open with, nothing happens
}

TEST(AboutWindow, OkEscAndTheCloseBoxHideItOtherKeysDoNot) {
    TForm2 f(nullptr, nullptr, 96);
    f.show();
    EXPECT_TRUE(f.visible);
    for (int key : {13, 32, 9, 65, 112, 0x1B00}) f.FormKeyDown(key);
    EXPECT_TRUE(f.visible);
    f.FormKeyDown(27);
    EXPECT_FALSE(f.visible);
    f.FormKeyDown(27);  // already hidden: stays so
    EXPECT_FALSE(f.visible);
    f.show();
    f.Button1Click();
    EXPECT_FALSE(f.visible);
    f.show();
    f.FormClose();
    EXPECT_FALSE(f.visible);
    for (auto size : {std::pair{552, 359}, std::pair{600, 400}, std::pair{0, 0}})
        EXPECT_FALSE(f.FormCanResize(size.first, size.second));
}

TEST(AboutWindow, BannerDecodesOrStaysEmpty) {
    TForm2 f(nullptr, nullptr, 96);
    f.loadBanner(readTestFile("two_blocks.jpg"));
    EXPECT_EQ(32, f.Image1.bitmap.width);
    EXPECT_EQ(16, f.Image1.bitmap.height);
    f.loadBanner("not a picture");
    EXPECT_TRUE(f.Image1.bitmap.empty());
    f.loadBanner("");
    EXPECT_TRUE(f.Image1.bitmap.empty());
    EXPECT_EQ(553, f.Image1.width);  // the picture's place does not change
}

class AboutAppTest : public WindowTest {};

TEST_F(AboutAppTest, BuiltOnceAtStartHiddenAndShownByTheMenuAndTheSystemMenu) {
    fake.system.versionInfo = VersionInfo{5, 1, 2600, kPlatformNt, "Service Pack 3"};
    TForm1& f = start();
    TForm2* about = app->about();
    ASSERT_TRUE(about);
    EXPECT_FALSE(about->visible);
    EXPECT_EQ("Microsoft Windows XP Build 2600 Service Pack 3", about->Label10.text);
    EXPECT_EQ(1, about->Image2.resourceId);

    menuCommand(f, kMenuAbout);
    EXPECT_TRUE(about->visible);
    EXPECT_EQ("about", host.log.back());
    about->FormKeyDown(27);
    EXPECT_FALSE(about->visible);
    EXPECT_FALSE(f.events().SysCommand(0x401));
    EXPECT_TRUE(about->visible);

    // A rebuilt main window keeps the same About window and its text.
    fake.system.versionInfo = VersionInfo{6, 1, 7600, kPlatformNt, ""};
    app->rebuildMainWindow();
    EXPECT_EQ(about, app->about());
    EXPECT_EQ("Microsoft Windows XP Build 2600 Service Pack 3", about->Label10.text);
    about->Label21Click();
    ASSERT_EQ(1u, shell.calls.size());
    EXPECT_EQ("http://tabrix.ostrel-studio.example/", shell.calls[0].file);
}

TEST_F(AboutAppTest, UnreadableVersionGivesNoNameAndBuildZero) {
    fake.system.versionWorks = false;
    start();
    EXPECT_EQ("Microsoft Windows  Build 0", app->about()->Label10.text);
}

}  // namespace tabrix::test

// The [general] key table walked whole: every key the Settings window shows is saved, read
// back by the window, and read by start-up.
#include <sstream>

#include "app/StartupSettings.h"
#include "settings/IniFile.h"
#include "settings/SettingKeys.h"
#include "settings_window_fixture.h"

namespace tabrix::test {
namespace {

constexpr char kOther[] = "C:\\Tabrix\\other.ini";

// Everything start-up makes of [general], as one text to compare.
std::string startupView(FakeFiles& files, const std::string& text) {
    files.put(kOther, text);
    const StartupSettings s = readStartupSettings(IniFile(files, kOther), 280, 330);
    std::ostringstream o;
    o << s.labelDragging << s.ipInterface.value_or(-99) << s.savePositions << s.tempLabel << '|' << s.getDiskSpace
      << s.playerPicturesFromFiles << s.trayIcon << s.output << s.outputInterval << '|'
      << static_cast<int>(s.playerButtons) << s.ipServer << '|' << s.selfDraw << s.songLabelsMayShow
      << s.onTop << s.showUsed << s.toolCaption << s.winampPath << '|' << s.fontFace << '|' << s.showIp
      << s.ipInterval << '|' << s.scrolling << s.fontPoints << '|' << s.fontColor << s.enablePhp
      << s.enableXml << s.enableJson << s.enableMetrics << s.metricsPath << s.skinFile << '|' << s.banner
      << s.colorKey << static_cast<int>(s.alpha) << s.alphaBlend << '|' << s.hideFullScreen << s.clickThrough;
    return o.str();
}

// The row's value changed from what the window showed, as the user would change it.
void change(TForm3& f, const SettingKeyRow& row) {
    Control* c = row.control ? f.layout.find(row.control) : nullptr;
    switch (row.kind) {
        case KeyKind::Flag:
        case KeyKind::FlagUnlessZero:
        case KeyKind::FlagNumber:
        case KeyKind::Banner:
            static_cast<CheckBox*>(c)->checked = !static_cast<CheckBox*>(c)->checked;
            break;
        case KeyKind::FontFace:
            f.draft.fontFace = "Courier";
            break;
        case KeyKind::FontSize:
            f.draft.fontSize = 7;
            break;
        case KeyKind::FontColor:
            f.draft.fontColor = 0x123456;
            break;
        case KeyKind::Opacity:
            f.TrackBar1Moved(100);
            break;
        case KeyKind::Interface:
            f.TextChanged(*c, "3");
            break;
        case KeyKind::Interval:
            f.TextChanged(*c, "60001");
            break;
        default:
            f.TextChanged(*c, "7");
    }
}

TEST_F(SettingsTest, EveryKeyOfTheTableIsSavedReadBackByTheWindowAndReadByStartUp) {
    auto valueIn = [&](const std::string& text, const SettingKeyRow& row) {
        fake.files.put(kOther, text);
        return IniFile(fake.files, kOther).readString(row.section, row.name, "(none)");
    };
    // Output on, so that the formats it governs keep what they are given.
    general({"output=1"});
    build().Button1Click();
    const std::string unchanged = config();
    for (int i = 0; i < kSettingKeyCount; ++i) {
        const SettingKeyRow& row = kSettingKeys[i];
        SCOPED_TRACE(row.name);
        EXPECT_EQ(&settingKey(row.id), &row);
        if (!row.dialogDefault) continue;
        general({"output=1"});
        change(build(), row);
        form->Button1Click();
        const std::string saved = config();
        EXPECT_NE(valueIn(unchanged, row), valueIn(saved, row));
        // Built again from what it saved, the window saves the same.
        build().Button1Click();
        EXPECT_EQ(config(), saved);
        if (row.startDefault) {
            EXPECT_NE(startupView(fake.files, unchanged), startupView(fake.files, saved));
        }
    }
}

}  // namespace
}  // namespace tabrix::test

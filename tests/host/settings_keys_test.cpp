// The key table walked whole: every key the Settings window shows is saved, read back by the
// window, and read by start-up; every key start-up reads changes what it makes of the file.
#include <sstream>

#include "config/IniFile.h"
#include "config/SettingKeys.h"
#include "settings_window_fixture.h"
#include "windows/main/StartupSettings.h"

namespace tabrix::test {
namespace {

constexpr char kOther[] = "C:\\Tabrix\\other.ini";

// The member of a family of keys ('#' in the row's name) the tests use.
std::string sampleKey(const SettingKeyRow& row) {
    return keyName(row, row.kind == KeyKind::Module ? "11" : row.kind == KeyKind::Place ? "Label2" : "1");
}

template <typename T>
void put(std::ostream& o, const T& places) {
    for (const auto& p : places) o << p.left << ',' << p.top << ',' << p.leftSaved << ';';
}

// Everything start-up makes of the file, as one text to compare.
std::string startupView(FakeFiles& files, const std::string& text) {
    files.put(kOther, text);
    const StartupSettings s = readStartupSettings(IniFile(files, kOther), 280, 330);
    std::ostringstream o;
    o << s.labelDragging << s.ipInterface.value_or(-99) << s.savePositions << s.tempLabel << '|'
      << s.getDiskSpace << s.playerPicturesFromFiles << s.trayIcon << s.output << s.outputInterval << '|'
      << static_cast<int>(s.playerButtons) << s.ipServer << '|' << s.selfDraw << s.songLabelsMayShow
      << s.onTop << s.showUsed << s.toolCaption << s.winampPath << '|' << s.fontFace << '|' << s.showIp
      << s.ipInterval << '|' << s.scrolling << s.fontPoints << '|' << s.fontColor << s.enablePhp
      << s.enableXml << s.enableJson << s.enableMetrics << s.metricsPath << s.skinFile << '|' << s.banner
      << s.colorKey << static_cast<int>(s.alpha) << s.alphaBlend << '|' << s.hideFullScreen << s.clickThrough
      << '|' << s.left << ',' << s.top << '|' << s.formWidth << ',' << s.formHeight << '|' << s.graphs
      << s.lhmPort;
    for (ModuleSwitch m : s.modules) o << static_cast<int>(m);
    for (const std::string& r : s.sensorReadings) o << '|' << r;
    put(o, s.labelPlaces);
    put(o, s.graphPlaces);
    for (const auto& p : s.picturePlaces) o << p.left << ',' << p.top << p.leftSaved << p.topSaved << ';';
    return o.str();
}

// The row's value changed from what the window showed, as the user would change it.
void change(TForm3& f, const SettingKeyRow& row) {
    Control* c = row.control ? f.layout.find(row.control) : f.layout.find(sampleKey(row));
    switch (row.kind) {
        case KeyKind::Module:
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
        return IniFile(fake.files, kOther).readString(row.section, sampleKey(row), "(none)");
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

TEST(SettingKeys, EveryKeyStartUpReadsChangesWhatItMakesOfTheFile) {
    FakeFiles files;
    const std::string base = "[general]\r\nsavepositions=1\r\n";
    const std::string before = startupView(files, base);
    for (int i = 0; i < kSettingKeyCount; ++i) {
        const SettingKeyRow& row = kSettingKeys[i];
        SCOPED_TRACE(row.name);
        EXPECT_EQ(&settingKey(row.id), &row);
        // A record is only written; savepath is the report's, read afresh at each output.
        if (row.kind == KeyKind::Record || (!row.startDefault && row.dialogDefault)) continue;
        bool changed = false;
        for (const char* value : {"7", "1", "0", "True", "False", "-1"}) {
            files.put(kOther, base);
            IniFile(files, kOther).writeString(row.section, sampleKey(row), value);
            changed = changed || startupView(files, files.content(kOther)) != before;
        }
        EXPECT_TRUE(changed);
    }
}

}  // namespace
}  // namespace tabrix::test

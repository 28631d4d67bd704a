#include "windows/main/StartupSettings.h"

#include <climits>
#include <exception>

#include "config/ColorText.h"
#include "config/IniFile.h"
#include "config/SettingKeys.h"

namespace tabrix {
namespace {

constexpr int kHighestPort = 65535;
constexpr char kDefaultSkin[] = "transparent.bmp";
constexpr int kModuleKeys[] = {11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 31};

ModuleSwitch moduleSwitch(const std::string& value) {
    if (value == "True") return ModuleSwitch::True;
    if (value == "False") return ModuleSwitch::False;
    return ModuleSwitch::Other;
}

PlayerButtons playerButtons(const std::string& value) {
    if (value == "0") return PlayerButtons::WhilePlayerRuns;
    if (value == "1") return PlayerButtons::Always;
    if (value == "2") return PlayerButtons::Never;
    return PlayerButtons::AsTheyAre;
}

// config.ini's keys by their rows, with start-up's own defaults.
class GeneralKeys {
public:
    explicit GeneralKeys(const IniFile& ini) : ini_(ini) {}
    std::string text(SettingKey id) const {
        const SettingKeyRow& row = settingKey(id);
        return ini_.readString(row.section, row.name, row.startDefault);
    }
    std::string text(SettingKey id, const char* def) const {
        const SettingKeyRow& row = settingKey(id);
        return ini_.readString(row.section, row.name, def);
    }
    int number(SettingKey id) const { return number(id, integerDefault(settingKey(id).startDefault)); }
    int number(SettingKey id, int def) const {
        const SettingKeyRow& row = settingKey(id);
        return ini_.readInteger(row.section, row.name, def);
    }
    // A key of a family ('#' in the row's name) by its part.
    std::string text(SettingKey id, const std::string& part) const {
        const SettingKeyRow& row = settingKey(id);
        return ini_.readString(row.section, keyName(row, part), row.startDefault);
    }
    int number(SettingKey id, const std::string& part, int def) const {
        const SettingKeyRow& row = settingKey(id);
        return ini_.readInteger(row.section, keyName(row, part), def);
    }

private:
    const IniFile& ini_;
};

// A saved window size, in design units, at the screen's scale; a missing one is the window's own.
int savedSize(const GeneralKeys& keys, SettingKey id, int windowSize, const Scale& scale) {
    if (scale.isDesign()) return keys.number(id, windowSize);
    constexpr int kMissing = INT_MIN;
    const int saved = keys.number(id, kMissing);
    return saved == kMissing ? windowSize : scale.toDevice(saved);
}

void readPlaces(const GeneralKeys& keys, int designWidth, int designHeight, const Scale& scale,
                StartupSettings& s) {
    s.savePositions = keys.text(SettingKey::SavePositions) == "1";
    if (!s.savePositions) return;
    using K = SettingKey;
    auto place = [&](K id, const std::string& name, int def) {
        return scale.toDevice(keys.number(id, name, def));
    };
    constexpr int kMissing = INT_MIN;
    for (int n = kFirstMainLabel; n <= kLastMainLabel; ++n) {
        // label34 too is read as "Label34...": the keys match without regard to case.
        const std::string key = "Label" + std::to_string(n);
        const int left = keys.number(K::PlaceLeft, key, kMissing);
        s.labelPlaces[n].leftSaved = left != kMissing;
        s.labelPlaces[n].left = left == kMissing ? 0 : scale.toDevice(left);
        s.labelPlaces[n].top = place(K::PlaceTop, key, 0);
    }
    for (int i = 0; i < Graphs::kCount; ++i) {
        const GraphDesign& d = kGraphDesign[i];
        s.graphPlaces[i].left = place(K::PlaceLeft, d.name, d.left);
        s.graphPlaces[i].top = place(K::PlaceTop, d.name, d.top);
    }
    for (int n : kPlayerPictures) {
        const std::string key = "Image" + std::to_string(n);
        StartupSettings::PicturePlace& p = s.picturePlaces[n];
        const int left = keys.number(K::PlaceLeft, key, kMissing);
        const int top = keys.number(K::PlaceTop, key, kMissing);
        p.leftSaved = left != kMissing;
        p.topSaved = top != kMissing;
        p.left = p.leftSaved ? scale.toDevice(left) : 0;
        p.top = p.topSaved ? scale.toDevice(top) : 0;
    }
    s.formWidth = savedSize(keys, SettingKey::FormWidth, designWidth, scale);
    s.formHeight = savedSize(keys, SettingKey::FormHeight, designHeight, scale);
}

void readSourcesAndModules(const GeneralKeys& keys, StartupSettings& s) {
    using K = SettingKey;
    for (int k = 0; k < kShownSensors; ++k)
        s.sensorReadings[k] = keys.text(K::SensorReading, std::to_string(k + 1));
    const int port = keys.number(K::LhmPort);
    s.lhmPort = port >= 1 && port <= kHighestPort ? port : 0;
    for (int box : kModuleKeys) s.modules[box] = moduleSwitch(keys.text(K::Module, std::to_string(box)));
    s.graphs = keys.text(K::Graphs) == "True";
}

// The look: window, font, skin, opacity and place.
void readLook(const GeneralKeys& keys, StartupSettings& s) {
    using K = SettingKey;
    s.onTop = keys.text(K::OnTop) == "1";
    s.showUsed = keys.text(K::ShowUsed) == "1";
    s.toolCaption = keys.text(K::ShowBar) == "1";
    s.winampPath = keys.text(K::WinampPath);
    s.fontFace = keys.text(K::Font);
    s.showIp = keys.text(K::ShowIp) == "1";
    s.ipInterval = keys.number(K::IpInterval);
    s.scrolling = keys.text(K::ScrollEnabled) != "0";
    s.fontPoints = keys.number(K::FontSize);
    try {
        s.fontColor = textToColor(keys.text(K::FontColor));
    } catch (const std::exception& e) {
        s.fontColorProblem = e.what();
    }
    s.enablePhp = keys.text(K::EnablePhp) == "1";
    s.enableXml = keys.text(K::EnableXml) == "1";
    s.enableJson = keys.text(K::EnableJson) == "1";
    s.enableMetrics = keys.text(K::EnableMetrics) == "1";
    s.metricsPath = keys.text(K::MetricsPath);

    // The default "N/A" names no file and fails like any other missing skin.
    const std::string skin = keys.text(K::Skin);
    s.skinFile = skin == "Default" ? kDefaultSkin : skin;
    s.banner = keys.text(K::ShowBanner) == "-1";
    s.colorKey = keys.text(K::Transparent) == "1";
    const int alpha = keys.number(K::Alpha);
    s.alpha = static_cast<uint8_t>(alpha & 0xFF);
    s.alphaBlend = alpha != 255;
    s.left = keys.number(K::Left);
    s.top = keys.number(K::Top);
}

}  // namespace

StartupSettings readStartupSettings(const IniFile& ini, int designWidth, int designHeight,
                                    const Scale& scale) {
    using K = SettingKey;
    const GeneralKeys keys(ini);
    StartupSettings s;

    s.labelDragging = keys.number(K::AllowPositionChange) == 1;
    // A file that names no interface leaves the choice to the traffic meter.
    if (!keys.text(K::IpInterface, "").empty()) s.ipInterface = keys.number(K::IpInterface);
    readPlaces(keys, designWidth, designHeight, scale, s);

    s.tempLabel = keys.text(K::TempLabel);
    readSourcesAndModules(keys, s);

    s.getDiskSpace = keys.number(K::ShouldGetDisk) == 1;
    s.playerPicturesFromFiles = keys.number(K::XpWinampIcons) == 0;
    s.trayIcon = keys.text(K::SysTrayIcon) == "1";
    s.hideFullScreen = keys.text(K::HideFullScreen) == "1";
    s.clickThrough = keys.text(K::ClickThrough) == "1";
    s.output = keys.text(K::Output) == "1";
    s.playerButtons = playerButtons(keys.text(K::WinampButtonsStay));
    s.ipServer = keys.text(K::IpServer);
    // A negative number becomes a huge unsigned period, as the timer's own type has it.
    s.outputInterval = static_cast<unsigned>(keys.number(K::OutputInterval));
    const std::string selfDraw = keys.text(K::SelfDrawEnabled);
    s.selfDraw = selfDraw == "1";
    s.songLabelsMayShow = selfDraw == "0";

    readLook(keys, s);
    return s;
}

}  // namespace tabrix

#include "app/StartupSettings.h"

#include <exception>

#include "settings/ColorText.h"
#include "settings/IniFile.h"

namespace tabrix {
namespace {

constexpr char kGeneral[] = "general";
constexpr char kModules[] = "modules";
constexpr char kLabelsSection[] = "Labels";
constexpr char kPosition[] = "position";
constexpr char kSensors[] = "Sensors";
constexpr const char* kReadingKeys[kShownSensors] = {"reading1", "reading2", "reading3"};
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

}  // namespace

StartupSettings readStartupSettings(const IniFile& ini, int designWidth, int designHeight) {
    auto text = [&](const char* key, const char* def) { return ini.readString(kGeneral, key, def); };
    auto number = [&](const char* key, int def) { return ini.readInteger(kGeneral, key, def); };
    StartupSettings s;

    s.labelDragging = number("AllowPositionChange", 1) == 1;
    s.ipInterface = number("ipinterface", 0);

    s.savePositions = text("savepositions", "0") == "1";
    if (s.savePositions) {
        for (int n = kFirstMainLabel; n <= kLastMainLabel; ++n) {
            // label34 too is read as "Label34...": the keys match without regard to case.
            const std::string key = "Label" + std::to_string(n);
            s.labelPlaces[n].left = ini.readInteger(kLabelsSection, key + "left", 0);
            s.labelPlaces[n].top = ini.readInteger(kLabelsSection, key + "top", 0);
        }
        for (int i = 0; i < Graphs::kCount; ++i) {
            const GraphDesign& d = kGraphDesign[i];
            s.graphPlaces[i].left = ini.readInteger(kLabelsSection, std::string(d.name) + "left", d.left);
            s.graphPlaces[i].top = ini.readInteger(kLabelsSection, std::string(d.name) + "top", d.top);
        }
        s.formWidth = number("FormWidth", designWidth);
        s.formHeight = number("FormHeight", designHeight);
    }

    s.tempLabel = text("Temp_label", "*C");
    for (int k = 0; k < kShownSensors; ++k)
        s.sensorReadings[k] = ini.readString(kSensors, kReadingKeys[k], "");
    const int port = ini.readInteger(kSensors, "lhmport", 0);
    s.lhmPort = port >= 1 && port <= kHighestPort ? port : 0;
    for (int box : kModuleKeys)
        s.modules[box] = moduleSwitch(ini.readString(kModules, "CheckBox" + std::to_string(box), "True"));
    s.graphs = ini.readString(kModules, "CheckBox32", "False") == "True";

    s.getDiskSpace = number("ShouldGetDisk", 0) == 1;
    s.playerPicturesFromFiles = number("xpwinampicons", 1) == 0;
    s.trayIcon = text("SysTrayIcon", "0") == "1";
    s.output = text("output", "0") == "1";
    s.playerButtons = playerButtons(text("winampbuttonsstay", "0"));
    s.ipServer = text("ipserver", "0");
    // A negative number becomes a huge unsigned period, as the timer's own type has it.
    s.outputInterval = static_cast<unsigned>(number("outputinterval", 0));
    const std::string selfDraw = text("SelfDrawEnabled", "0");
    s.selfDraw = selfDraw == "1";
    s.songLabelsMayShow = selfDraw == "0";

    s.onTop = text("ontop", "0") == "1";
    s.showUsed = text("ShowUsed", "0") == "1";
    s.toolCaption = text("showbar", "1") == "1";
    s.winampPath = text("winamppath", "0");
    s.fontFace = text("font", "Tahoma");
    s.showIp = text("showip", "0") == "1";
    s.ipInterval = number("ipinterval", 0);
    s.scrolling = text("scrollenabled", "0") != "0";
    s.fontPoints = number("fontsize", 8);
    try {
        s.fontColor = textToColor(text("fontcolor", "ClBlack"));
    } catch (const std::exception& e) {
        s.fontColorProblem = e.what();
    }
    s.enablePhp = text("enablephp", "0") == "1";
    s.enableXml = text("enablexml", "0") == "1";
    s.enableJson = text("enablejson", "0") == "1";

    // The default "N/A" names no file and fails like any other missing skin.
    const std::string skin = text("skin", "N/A");
    s.skinFile = skin == "Default" ? kDefaultSkin : skin;
    s.banner = text("showbanner", "-1") == "-1";
    s.colorKey = text("transparent", "0") == "1";
    const int alpha = number("alpha", 255);
    s.alpha = static_cast<uint8_t>(alpha & 0xFF);
    s.alphaBlend = alpha != 255;
    s.left = ini.readInteger(kPosition, "left", 255);
    s.top = ini.readInteger(kPosition, "top", 255);
    return s;
}

}  // namespace tabrix

// The main window's start-up (FormCreate): config.ini read in one pass, in the order
// that decides what a failure leaves behind.
#include <algorithm>
#include <initializer_list>

#include "app/Unit1.h"
#include "platform/Bmp.h"
#include "platform/Error.h"
#include "settings/ColorText.h"
#include "settings/IniFile.h"

namespace tabrix {
namespace {

constexpr char kGeneral[] = "general";
constexpr char kModules[] = "modules";
constexpr char kLabelsSection[] = "Labels";
constexpr char kPosition[] = "position";
constexpr char kDefaultSkin[] = "transparent.bmp";
constexpr char kSkinsFolder[] = "skins\\";
constexpr char kButtonsFolder[] = "winamp_buttons\\";
constexpr uint32_t kWhiteFontReplacement = 0xF5F5F5;
constexpr int kAnsiCharset = 0;
constexpr int kBannerWidth = 15;
constexpr int kBannerHeight = 57;

}  // namespace

void TForm1::FormCreate() {
    // 1. version; the view initialises the common controls.
    beginStep(1);
    stored_.version = kVersion;
    try {
        startupSteps();
        DisplayChanged();
        return;
    } catch (const std::exception& e) {
        startupFailure = e.what();
    } catch (...) {
        startupFailure.clear();
    }
    if (startupFailure.empty()) startupFailure = "unknown error";
    // Even the design position can lie off a small screen.
    DisplayChanged();
    errors_.ShowErrorDialog(kStartupProblem);
}

void TForm1::startupSteps() {
    // 2. system menu entry; making the window's handle also sizes it for the first time.
    beginStep(2);
    window.aboutInSystemMenu = true;
    FormResize();

    // 3. no taskbar button; double-buffered, opaque painting.
    beginStep(3);
    window.ownerToolWindow = true;
    window.doubleBuffered = true;

    // 4. an instance already running loses its window.
    beginStep(4);
    platform_.desktop.hideWindow(kMainClass, kAppTitle);
    resetTrafficBaselines();

    // 5. config.ini; a missing file reads as all defaults.
    beginStep(5);
    IniFile ini(platform_.files, platform_.configPath());

    // 6. label dragging.
    beginStep(6);
    stored_.allowPositionChange = ini.readInteger(kGeneral, "AllowPositionChange", 1);
    if (stored_.allowPositionChange == 1) dragHandlers_ = true;

    // 7. traffic interface.
    beginStep(7);
    stored_.ipInterface = ini.readInteger(kGeneral, "ipinterface", 0);

    beginStep(8);
    applySavedPositions(ini);
    beginStep(9);
    applyModules(ini);
    beginStep(10);
    applyDiskSpace(ini);
    beginStep(11);
    applyTimersAndStored(ini);
    beginStep(12);
    applySelfDraw(ini);
    beginStep(13);
    const std::string showIp = applyLook(ini);
    beginStep(14);
    loadSkin(ini);

    // 15. banner.
    beginStep(15);
    if (ini.readString(kGeneral, "showbanner", "-1") == "-1") paintBannerStrip();

    beginStep(16);
    applyLayeringAndPosition(ini);
    beginStep(17);
    computeFacts(showIp);

    // 18. player pictures from files; a failure here is handled here.
    beginStep(18);
    if (stored_.xpWinampIcons == 0) loadPlayerPictures();

    // 19. tray icon.
    beginStep(19);
    if (stored_.sysTrayIcon == "1") trayAdded = platform_.tray.add(trayRecord);
}

void TForm1::resetTrafficBaselines() {
    traffic_ = TrafficBaselines{};
}

// 8. saved label positions and window size.
void TForm1::applySavedPositions(IniFile& ini) {
    if (ini.readString(kGeneral, "savepositions", "0") != "1") return;
    for (int n = kFirstLabel; n <= kLastLabel; ++n) {
        // label34 too is read as "Label34...": the keys match without regard to case.
        const std::string key = "Label" + std::to_string(n);
        labels_[n].left = ini.readInteger(kLabelsSection, key + "left", 0);
        labels_[n].top = ini.readInteger(kLabelsSection, key + "top", 0);
    }
    const int width = ini.readInteger(kGeneral, "FormWidth", window.width);
    setWindowSize(width, window.height);
    const int height = ini.readInteger(kGeneral, "FormHeight", window.height);
    setWindowSize(window.width, height);
    graphs.applyPositions(ini);
}

namespace {

// "True" shows a module's labels for drawing, "False" hides them, anything else keeps
// the design.
void applyModule(TForm1& form, const std::string& value, std::initializer_list<int> labels) {
    if (value != "True" && value != "False") return;
    const bool on = value == "True";
    for (int n : labels) {
        form.label(n).visible = on;
        form.label(n).drawMark = on ? 2 : 1;
    }
}

}  // namespace

// 9. modules.
void TForm1::applyModules(IniFile& ini) {
    stored_.tempLabel = ini.readString(kGeneral, "Temp_label", "*C");
    readSensorChoice(ini);
    auto module = [&](const char* key) { return ini.readString(kModules, key, "True"); };

    applyModule(*this, module("CheckBox11"), {4, 3});
    applyModule(*this, module("CheckBox12"), {5, 6});
    applyModule(*this, module("CheckBox13"), {7, 8});
    applyModule(*this, module("CheckBox14"), {9, 10});
    applyModule(*this, module("CheckBox15"), {11, 12});
    applyModule(*this, module("CheckBox16"), {15, 16});
    applyModule(*this, module("CheckBox17"), {17, 18});
    applyModule(*this, module("CheckBox18"), {19, 20});
    applyModule(*this, module("CheckBox19"), {21, 22, 31});
    applyModule(*this, module("CheckBox20"), {23, 24});

    // The sensor labels follow the refresh; only the flag is decided here.
    stored_.sensorModule = module("CheckBox21") == "True" ? "1" : "0";

    // Song and traffic flags keep their previous value for anything but the two words.
    const std::string song = module("CheckBox22");
    applyModule(*this, song, {13, 14});
    if (song == "False")
        stored_.songModule = "0";
    else if (song == "True")
        stored_.songModule = "1";

    const std::string traffic = module("CheckBox23");
    applyModule(*this, traffic, {32, 33});
    if (traffic == "True")
        stored_.trafficModule = 1;
    else if (traffic == "False")
        stored_.trafficModule = 0;

    applyModule(*this, module("CheckBox24"), {34});

    // The processor name is only ever switched off.
    if (module("CheckBox31") == "False") applyModule(*this, "False", {2});

    // Added later than the others: a config.ini without the key shows no graphs.
    graphs.applyModule(ini.readString(kModules, Graphs::kModuleKey, "False"), stored_.trafficModule == 1);
}

// 10. disk space.
void TForm1::applyDiskSpace(IniFile& ini) {
    stored_.shouldGetDisk = ini.readInteger(kGeneral, "ShouldGetDisk", 0);
    if (stored_.shouldGetDisk != 1) return;
    setLabelText(36, driveText());
    labels_[36].visible = true;
    labels_[36].drawMark = 1;
}

// 11. stored switches and the report timer.
void TForm1::applyTimersAndStored(IniFile& ini) {
    stored_.xpWinampIcons = ini.readInteger(kGeneral, "xpwinampicons", 1);
    stored_.sysTrayIcon = ini.readString(kGeneral, "SysTrayIcon", "0");
    FileTimer1.enabled = ini.readString(kGeneral, "output", "0") == "1";
    stored_.winampButtonsStay = ini.readString(kGeneral, "winampbuttonsstay", "0");
    stored_.ipServer = ini.readString(kGeneral, "ipserver", "0");
    // A negative number becomes a huge unsigned period, as the timer's own type has it.
    FileTimer1.interval = static_cast<unsigned>(ini.readInteger(kGeneral, "outputinterval", 0));
}

// 12. self-draw mode: every label is painted by the window itself, whatever the modules.
void TForm1::applySelfDraw(IniFile& ini) {
    stored_.selfDrawEnabled = ini.readString(kGeneral, "SelfDrawEnabled", "0");
    if (stored_.selfDrawEnabled != "1") return;
    for (int n = kFirstLabel; n <= kLastLabel; ++n) labels_[n].visible = false;
    for (int n = kFirstLabel; n <= kLastLabel; ++n) labels_[n].drawMark = 2;
    graphs.hideForSelfDraw();
    DrawTimer.enabled = true;
    DrawTimerTimer();
}

// 13. border, z-order, timers and fonts.
std::string TForm1::applyLook(IniFile& ini) {
    window.stayOnTop = ini.readString(kGeneral, "ontop", "0") == "1";
    stored_.showUsed = ini.readString(kGeneral, "ShowUsed", "0");
    window.toolCaption = ini.readString(kGeneral, "showbar", "1") == "1";
    // Leaving the design's z-order or border makes the window anew, with the
    // platform's own system menu.
    if (!window.stayOnTop || !window.toolCaption) window.aboutInSystemMenu = false;
    stored_.winampPath = ini.readString(kGeneral, "winamppath", "0");
    const std::string face = ini.readString(kGeneral, "font", "Tahoma");
    const std::string showIp = ini.readString(kGeneral, "showip", "0");

    const int ipInterval = ini.readInteger(kGeneral, "ipinterval", 0);
    IPTImer.interval = static_cast<unsigned>(ipInterval);
    if (ipInterval > 0) IPTImer.enabled = true;
    ScrollTimer.enabled = ini.readString(kGeneral, "scrollenabled", "0") != "0";

    const int points = ini.readInteger(kGeneral, "fontsize", 8);
    uint32_t color = textToColor(ini.readString(kGeneral, "fontcolor", "ClBlack"));
    // White text would vanish under the white colour key.
    if (color == kWhite) color = kWhiteFontReplacement;
    window.font.face = face;
    window.font.charset = kAnsiCharset;
    const int height = pointsToHeight(points, platform_.desktop.screenDpi());
    for (int n = kFirstLabel; n <= kLastLabel; ++n) {
        Font font = labels_[n].font;
        font.face = face;
        font.height = height;
        font.color = color;
        setLabelFont(n, font);
    }
    graphs.applyColor(color, face);

    stored_.enablePhp = ini.readString(kGeneral, "enablephp", "0");
    stored_.enableXml = ini.readString(kGeneral, "enablexml", "0");
    return showIp;
}

Pixels TForm1::loadBitmapFile(const std::string& name) {
    const std::string path = platform_.path(name);
    std::string bytes;
    if (!platform_.files.read(path, bytes)) throw Error("Cannot open file " + path);
    return decodeBmp(bytes);
}

// 14. skin; the default "N/A" names no file and fails like any other missing skin.
void TForm1::loadSkin(IniFile& ini) {
    const std::string skin = ini.readString(kGeneral, "skin", "N/A");
    const std::string file = skin == "Default" ? kDefaultSkin : skin;
    images_[1].bitmap = loadBitmapFile(kSkinsFolder + file);
}

void TForm1::paintBannerStrip() {
    // The grey strip goes into the skin picture itself; the view writes the upright
    // name into it.
    Pixels& skin = images_[1].bitmap;
    const int right = std::min(kBannerWidth, skin.width);
    const int bottom = std::min(kBannerHeight, skin.height);
    for (int y = 0; y < bottom; ++y)
        for (int x = 0; x < right; ++x)
            skin.data[static_cast<size_t>(y) * skin.width + x] = kBannerGrey;
    bannerPainted = true;
}

// 16. colour key, translucency, position.
void TForm1::applyLayeringAndPosition(IniFile& ini) {
    window.colorKey = ini.readString(kGeneral, "transparent", "0") == "1";
    window.alpha = static_cast<uint8_t>(ini.readInteger(kGeneral, "alpha", 255) & 0xFF);
    window.alphaBlend = ini.readInteger(kGeneral, "alpha", 255) != 255;
    window.left = ini.readInteger(kPosition, "left", 255);
    window.top = ini.readInteger(kPosition, "top", 255);
}

// 17. the facts computed once.
void TForm1::computeFacts(const std::string& showIp) {
    StartupFacts& facts = platform_.facts;
    IPTImer.enabled = showIp == "1";
    // The answer arrives later; until then Label31 keeps its empty design text.
    startupIpLookup(showIp);

    setLabelText(2, facts.brandString());
    // Grown to the left from where "CPU:" ended, a long name would start outside the window.
    if (labels_[2].left < 0) centreCpuName();
    if (labels_[2].text.empty()) platform_.ui.messageBox(kCpuNameHint, kAppTitle);

    const int family = facts.family();
    setLabelText(6, family == 15 ? "686+" : std::to_string(family) + "86");
    setLabelText(8, facts.windowsVersionText());
    setLabelText(22, facts.connectionText());
}

// 18. the five player pictures, in this order; the first failure ends the loading.
void TForm1::loadPlayerPictures() {
    static const struct {
        const char* file;
        int image;
    } kButtons[] = {
        {"back.bmp", 6}, {"play.bmp", 2}, {"pause.bmp", 3}, {"stop.bmp", 4}, {"forward.bmp", 7}};
    for (const auto& button : kButtons) {
        try {
            images_[button.image].bitmap =
                loadBitmapFile(std::string(kButtonsFolder) + button.file);
        } catch (const std::exception&) {
            platform_.ui.messageBox(kPlayerButtonsProblem, kAppTitle);
            return;
        }
    }
}

}  // namespace tabrix

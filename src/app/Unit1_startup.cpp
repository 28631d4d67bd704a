// The main window's start-up (FormCreate): config.ini read in one pass, in the order
// that decides what a failure leaves behind.
#include <algorithm>
#include <initializer_list>

#include "app/Unit1.h"
#include "platform/Bmp.h"
#include "platform/Error.h"
#include "settings/IniFile.h"

namespace tabrix {
namespace {

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
        return;
    } catch (const std::exception& e) {
        startupFailure = e.what();
    } catch (...) {
        startupFailure.clear();
    }
    if (startupFailure.empty()) startupFailure = "unknown error";
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

    // 5. config.ini, read once; a missing file reads as all defaults.
    beginStep(5);
    const StartupSettings s =
        readStartupSettings(IniFile(platform_.files, platform_.configPath()), window.width, window.height);
    StartupSettings& stored = stored_.settings;

    // 6. label dragging.
    beginStep(6);
    stored.labelDragging = s.labelDragging;
    if (s.labelDragging) dragHandlers_ = true;

    // 7. traffic interface.
    beginStep(7);
    stored.ipInterface = s.ipInterface;

    beginStep(8);
    applySavedPositions(s);
    beginStep(9);
    applyModules(s);

    // 10. disk space.
    beginStep(10);
    stored.getDiskSpace = s.getDiskSpace;
    if (s.getDiskSpace) {
        setLabelText(kLabelDiskSpace, driveText());
        labels_[kLabelDiskSpace].visible = true;
        labels_[kLabelDiskSpace].drawMark = 1;
    }

    // 11. stored switches and the report timer.
    beginStep(11);
    stored.playerPicturesFromFiles = s.playerPicturesFromFiles;
    stored.trayIcon = s.trayIcon;
    FileTimer1.enabled = s.output;
    stored.playerButtons = s.playerButtons;
    stored.ipServer = s.ipServer;
    FileTimer1.interval = s.outputInterval;

    beginStep(12);
    stored.selfDraw = s.selfDraw;
    stored.songLabelsMayShow = s.songLabelsMayShow;
    if (s.selfDraw) applySelfDraw();

    beginStep(13);
    applyLook(s);

    // 14. skin.
    beginStep(14);
    images_[kImageSkin].bitmap = loadBitmapFile(kSkinsFolder + s.skinFile);

    // 15. banner.
    beginStep(15);
    if (s.banner) paintBannerStrip();

    // 16. colour key, translucency, position.
    beginStep(16);
    window.colorKey = s.colorKey;
    window.alpha = s.alpha;
    window.alphaBlend = s.alphaBlend;
    window.left = s.left;
    window.top = s.top;

    beginStep(17);
    computeFacts(s.showIp);

    // 18. player pictures from files; a failure here is handled here.
    beginStep(18);
    if (s.playerPicturesFromFiles) loadPlayerPictures();

    // 19. tray icon.
    beginStep(19);
    if (s.trayIcon) trayAdded = platform_.tray.add(trayRecord);
}

void TForm1::resetTrafficBaselines() {
    traffic_ = TrafficBaselines{};
}

// 8. saved label positions and window size.
void TForm1::applySavedPositions(const StartupSettings& s) {
    if (!s.savePositions) return;
    for (int n = kFirstLabel; n <= kLastLabel; ++n) {
        labels_[n].left = s.labelPlaces[n].left;
        labels_[n].top = s.labelPlaces[n].top;
    }
    setWindowSize(s.formWidth, window.height);
    setWindowSize(window.width, s.formHeight);
}

namespace {

// "True" shows a module's labels for drawing, "False" hides them, anything else keeps
// the design.
void applyModule(TForm1& form, ModuleSwitch value, std::initializer_list<int> labels) {
    if (value == ModuleSwitch::Other) return;
    const bool on = value == ModuleSwitch::True;
    for (int n : labels) {
        form.label(n).visible = on;
        form.label(n).drawMark = on ? 2 : 1;
    }
}

}  // namespace

// 9. modules.
void TForm1::applyModules(const StartupSettings& s) {
    stored_.settings.tempLabel = s.tempLabel;
    auto module = [&](int checkBox) { return s.module(checkBox); };

    applyModule(*this, module(11), {kLabelCpuUsage, kLabelCpuUsageCaption});
    applyModule(*this, module(12), {kLabelCpuClassCaption, kLabelCpuClass});
    applyModule(*this, module(13), {kLabelWindowsCaption, kLabelWindowsVersion});
    applyModule(*this, module(14), {kLabelMemoryCaption, kLabelMemory});
    applyModule(*this, module(15), {kLabelMemoryLoadCaption, kLabelMemoryLoad});
    applyModule(*this, module(16), {kLabelVirtualMemoryCaption, kLabelVirtualMemory});
    applyModule(*this, module(17), {kLabelDisplayCaption, kLabelDisplay});
    applyModule(*this, module(18), {kLabelUptimeCaption, kLabelUptime});
    applyModule(*this, module(19), {kLabelConnectionCaption, kLabelConnection, kLabelExternalIp});
    applyModule(*this, module(20), {kLabelUserName, kLabelUserCaption});

    // The sensor labels follow the refresh; only the flag is decided here.
    stored_.sensorModule = module(21) == ModuleSwitch::True;

    // Song and traffic flags keep their previous value for anything but the two words.
    applyModule(*this, module(22), {kLabelSongCaption, kLabelSong});
    if (module(22) != ModuleSwitch::Other)
        stored_.songModule = module(22) == ModuleSwitch::True ? ModuleFlag::On : ModuleFlag::Off;
    applyModule(*this, module(23), {kLabelDownstream, kLabelUpstream});
    if (module(23) != ModuleSwitch::Other) stored_.trafficModule = module(23) == ModuleSwitch::True;

    applyModule(*this, module(24), {kLabelBattery});

    // The processor name is only ever switched off.
    if (module(31) == ModuleSwitch::False) applyModule(*this, ModuleSwitch::False, {kLabelCpuName});
}

// 12. self-draw mode: every label is painted by the window itself, whatever the modules.
void TForm1::applySelfDraw() {
    for (int n = kFirstLabel; n <= kLastLabel; ++n) labels_[n].visible = false;
    for (int n = kFirstLabel; n <= kLastLabel; ++n) labels_[n].drawMark = 2;
    DrawTimer.enabled = true;
    DrawTimerTimer();
}

// 13. border, z-order, timers and fonts.
void TForm1::applyLook(const StartupSettings& s) {
    window.stayOnTop = s.onTop;
    stored_.settings.showUsed = s.showUsed;
    window.toolCaption = s.toolCaption;
    // Leaving the design's z-order or border makes the window anew, with the
    // platform's own system menu.
    if (!window.stayOnTop || !window.toolCaption) window.aboutInSystemMenu = false;
    stored_.settings.winampPath = s.winampPath;

    IPTImer.interval = static_cast<unsigned>(s.ipInterval);
    if (s.ipInterval > 0) IPTImer.enabled = true;
    ScrollTimer.enabled = s.scrolling;

    if (!s.fontColorProblem.empty()) throw Error(s.fontColorProblem);
    // White text would vanish under the white colour key.
    const uint32_t color = s.fontColor == kWhite ? kWhiteFontReplacement : s.fontColor;
    window.font.face = s.fontFace;
    window.font.charset = kAnsiCharset;
    const int height = pointsToHeight(s.fontPoints, platform_.desktop.screenDpi());
    for (int n = kFirstLabel; n <= kLastLabel; ++n) {
        Font font = labels_[n].font;
        font.face = s.fontFace;
        font.height = height;
        font.color = color;
        setLabelFont(n, font);
    }

    stored_.settings.enablePhp = s.enablePhp;
    stored_.settings.enableXml = s.enableXml;
}

Pixels TForm1::loadBitmapFile(const std::string& name) {
    const std::string path = platform_.path(name);
    std::string bytes;
    if (!platform_.files.read(path, bytes)) throw Error("Cannot open file " + path);
    return decodeBmp(bytes);
}

void TForm1::paintBannerStrip() {
    // The grey strip goes into the skin picture itself; the view writes the upright
    // name into it.
    Pixels& skin = images_[kImageSkin].bitmap;
    const int right = std::min(kBannerWidth, skin.width);
    const int bottom = std::min(kBannerHeight, skin.height);
    for (int y = 0; y < bottom; ++y)
        for (int x = 0; x < right; ++x)
            skin.data[static_cast<size_t>(y) * skin.width + x] = kBannerGrey;
    bannerPainted = true;
}

// 17. the facts computed once.
void TForm1::computeFacts(bool showIp) {
    StartupFacts& facts = platform_.facts;
    IPTImer.enabled = showIp;
    // The answer arrives later; until then Label31 keeps its empty design text.
    startupIpLookup(showIp);

    setLabelText(kLabelCpuName, facts.brandString());
    if (labels_[kLabelCpuName].text.empty()) platform_.ui.messageBox(kCpuNameHint, kAppTitle);

    const int family = facts.family();
    setLabelText(kLabelCpuClass, family == 15 ? "686+" : std::to_string(family) + "86");
    setLabelText(kLabelWindowsVersion, facts.windowsVersionText());
    setLabelText(kLabelConnection, facts.connectionText());
}

// 18. the five player pictures, in this order; the first failure ends the loading.
void TForm1::loadPlayerPictures() {
    static const struct {
        const char* file;
        int image;
    } kButtons[] = {
        {"back.bmp", kImageBack}, {"play.bmp", kImagePlay},    {"pause.bmp", kImagePause},
        {"stop.bmp", kImageStop}, {"forward.bmp", kImageNext}};
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

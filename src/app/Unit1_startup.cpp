// The main window's start-up (FormCreate): config.ini read in one pass, then applied in
// the order that decides what a failure leaves behind.
#include <algorithm>
#include <iterator>

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

Pixels loadBitmapFile(const Platform& platform, const std::string& name) {
    const std::string path = platform.path(name);
    std::string bytes;
    if (!platform.files.read(path, bytes)) throw Error("Cannot open file " + path);
    return decodeBmp(bytes);
}

// The grey strip goes into the skin picture itself; the view writes the upright name
// into it.
void paintBannerStrip(Pixels& skin) {
    const int right = std::min(kBannerWidth, skin.width);
    const int bottom = std::min(kBannerHeight, skin.height);
    for (int y = 0; y < bottom; ++y)
        for (int x = 0; x < right; ++x) skin.data[static_cast<size_t>(y) * skin.width + x] = kBannerGrey;
}

// The five player pictures, in this order; the first failure ends the loading.
void loadPlayerPictures(const Platform& platform, MainControls& controls) {
    static const struct {
        const char* file;
        int image;
    } kButtons[] = {{"back.bmp", kImageBack},
                    {"play.bmp", kImagePlay},
                    {"pause.bmp", kImagePause},
                    {"stop.bmp", kImageStop},
                    {"forward.bmp", kImageNext}};
    for (const auto& button : kButtons) {
        try {
            controls.image(button.image).bitmap =
                loadBitmapFile(platform, std::string(kButtonsFolder) + button.file);
        } catch (const std::exception&) {
            platform.ui.messageBox(kPlayerButtonsProblem, kAppTitle);
            return;
        }
    }
}

// The module flags start-up stores: the sensors' is "True" or not; the song's and the
// traffic's keep their previous value for anything but the two words.
void storeModuleFlags(const StartupSettings& s, StoredValues& stored) {
    stored.sensorModule = s.module(21) == ModuleSwitch::True;
    if (s.module(22) != ModuleSwitch::Other)
        stored.songModule = s.module(22) == ModuleSwitch::True ? ModuleFlag::On : ModuleFlag::Off;
    if (s.module(23) != ModuleSwitch::Other) stored.trafficModule = s.module(23) == ModuleSwitch::True;
}

// Runs the start-up's steps: what the failing one threw ("unknown error" for a throw
// without a text), empty when every step ran.
template <typename Steps>
std::string failureOf(Steps&& steps) {
    std::string failure;
    try {
        steps();
        return failure;
    } catch (const std::exception& e) {
        failure = e.what();
    } catch (...) {
    }
    return failure.empty() ? "unknown error" : failure;
}

}  // namespace

void TForm1::FormCreate() {
    int& step = startup_.lastStep;
    // 1. version; the view initialises the common controls.
    step = 1;
    stored_.version = kVersion;
    const std::string failure = failureOf([&] {
        // 2. system menu entry; making the window's handle also sizes it for the first time.
        step = 2;
        window.aboutInSystemMenu = true;
        FormResize();

        // 3. no taskbar button; double-buffered, opaque painting.
        step = 3;
        window.ownerToolWindow = true;
        window.doubleBuffered = true;

        // 4. an instance already running loses its window.
        step = 4;
        platform_.desktop.hideWindow(kMainClass, kAppTitle);
        sources_.resetTraffic();

        // 5. config.ini, read once; a missing file reads as all defaults.
        step = 5;
        const StartupSettings s = readStartupSettings(IniFile(platform_.files, platform_.configPath()),
                                                      window.width, window.height);
        // What the rest of the program consults is stored step by step, as each step comes.
        StartupSettings& stored = stored_.settings;

        // 6. label dragging.
        step = 6;
        stored.labelDragging = s.labelDragging;
        if (s.labelDragging) drag_.allow();

        // 7. traffic interface.
        step = 7;
        stored.ipInterface = s.ipInterface;

        // 8. saved label positions and window size.
        step = 8;
        if (s.savePositions) {
            for (int n = kFirstLabel; n <= kLastLabel; ++n) {
                controls_.label(n).left = s.labelPlaces[n].left;
                controls_.label(n).top = s.labelPlaces[n].top;
            }
            if (resizeWindow(window, s.formWidth, window.height)) FormResize();
            if (resizeWindow(window, window.width, s.formHeight)) FormResize();
            graphs.applyPositions(s);
        }

        // 9. modules.
        step = 9;
        stored.modules = s.modules;
        stored.tempLabel = s.tempLabel;
        std::copy(std::begin(s.sensorReadings), std::end(s.sensorReadings),
                  std::begin(stored.sensorReadings));
        stored.lhmPort = s.lhmPort;
        controls_.applyModules(s);
        storeModuleFlags(s, stored_);
        graphs.applyModule(s.graphs, stored_.trafficModule);

        // 10. disk space.
        step = 10;
        stored.getDiskSpace = s.getDiskSpace;
        if (s.getDiskSpace) {
            controls_.setText(kLabelDiskSpace, sources_.driveText());
            controls_.label(kLabelDiskSpace).visible = true;
            controls_.label(kLabelDiskSpace).drawMark = 1;
        }

        // 11. stored switches and the report timer.
        step = 11;
        stored.playerPicturesFromFiles = s.playerPicturesFromFiles;
        stored.trayIcon = s.trayIcon;
        timers.FileTimer1.enabled = s.output;
        stored.playerButtons = s.playerButtons;
        stored.ipServer = s.ipServer;
        timers.FileTimer1.interval = s.outputInterval;

        // 12. self-draw mode: every label is painted by the window itself, whatever the modules.
        step = 12;
        stored.selfDraw = s.selfDraw;
        stored.songLabelsMayShow = s.songLabelsMayShow;
        if (s.selfDraw) {
            controls_.hideAllForSelfDraw();
            graphs.hideForSelfDraw();
            timers.DrawTimer.enabled = true;
            DrawTimerTimer();
        }

        // 13. border, z-order, timers and fonts.
        step = 13;
        window.stayOnTop = s.onTop;
        stored.showUsed = s.showUsed;
        window.toolCaption = s.toolCaption;
        // Leaving the design's z-order or border makes the window anew, with the
        // platform's own system menu.
        if (!window.stayOnTop || !window.toolCaption) window.aboutInSystemMenu = false;
        stored.winampPath = s.winampPath;
        timers.IPTImer.interval = static_cast<unsigned>(s.ipInterval);
        if (s.ipInterval > 0) timers.IPTImer.enabled = true;
        timers.ScrollTimer.enabled = s.scrolling;
        if (!s.fontColorProblem.empty()) throw Error(s.fontColorProblem);
        // White text would vanish under the white colour key.
        const uint32_t color = s.fontColor == kWhite ? kWhiteFontReplacement : s.fontColor;
        window.font.face = s.fontFace;
        window.font.charset = kAnsiCharset;
        const int height = pointsToHeight(s.fontPoints, platform_.desktop.screenDpi());
        for (int n = kFirstLabel; n <= kLastLabel; ++n) {
            Font font = controls_.label(n).font;
            font.face = s.fontFace;
            font.height = height;
            font.color = color;
            controls_.setFont(n, font);
        }
        graphs.applyColor(color, s.fontFace);
        stored.enablePhp = s.enablePhp;
        stored.enableXml = s.enableXml;
        stored.enableJson = s.enableJson;

        // 14. skin.
        step = 14;
        controls_.image(kImageSkin).bitmap = loadBitmapFile(platform_, kSkinsFolder + s.skinFile);

        // 15. banner.
        step = 15;
        if (s.banner) {
            paintBannerStrip(controls_.image(kImageSkin).bitmap);
            window.bannerPainted = true;
        }

        // 16. colour key, translucency, position.
        step = 16;
        window.colorKey = s.colorKey;
        window.alpha = s.alpha;
        window.alphaBlend = s.alphaBlend;
        window.left = s.left;
        window.top = s.top;

        // 17. the facts computed once.
        step = 17;
        timers.IPTImer.enabled = s.showIp;
        if (s.showIp) fetchFirstAddress(sources_, controls_, stored.ipServer);
        showStartupFacts(platform_, controls_, window.width);

        // 18. player pictures from files; a failure here is handled here.
        step = 18;
        if (s.playerPicturesFromFiles) loadPlayerPictures(platform_, controls_);

        // 19. tray icon.
        step = 19;
        if (s.trayIcon) tray.added = platform_.tray.add(tray.record);

        // Start-up's end: a window no screen shows comes back onto one.
        DisplayChanged();
    });
    if (failure.empty()) return;
    startup_.failure = failure;
    // Even the design position can lie off a small screen.
    DisplayChanged();
    errors_.ShowErrorDialog(kStartupProblem);
}

}  // namespace tabrix

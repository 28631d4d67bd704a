// The main window's start-up (FormCreate): config.ini read in one pass, then applied in
// the order that decides what a failure leaves behind.
#include <algorithm>
#include <iterator>

#include "config/IniFile.h"
#include "images/Bmp.h"
#include "platform/Error.h"
#include "windows/main/Unit1.h"

namespace tabrix {
namespace {

constexpr char kSkinsFolder[] = "skins\\";
constexpr char kButtonsFolder[] = "winamp_buttons\\";
constexpr uint32_t kWhiteFontReplacement = 0xF5F5F5;
constexpr int kAnsiCharset = 0;
constexpr int kBannerWidth = 15;
constexpr int kBannerHeight = 57;

// The picture at the screen's scale, enlarged once here rather than at every paint. A file
// of ours, unchanged, has copies drawn for larger scales built in: the nearest is taken.
Pixels loadBitmapFile(const Platform& platform, const std::string& name, const Scale& scale) {
    const std::string path = platform.path(name);
    std::string bytes;
    if (!platform.files.read(path, bytes)) throw Error("Cannot open file " + path);
    const Pixels design = decodeBmp(bytes);
    const int drawn = scale.drawnDpi();
    if (drawn != Scale::kDesignDpi) {
        try {
            const std::string copy = platform.desktop.drawnCopy(fileCrc32(bytes), drawn);
            if (!copy.empty()) return scale.picture(decodeBmp(copy), drawn);
        } catch (const std::exception&) {
            // a damaged copy: the file itself, enlarged
        }
    }
    return scale.picture(design);
}

// The grey strip goes into the skin picture itself; the view writes the upright name
// into it.
void paintBannerStrip(Pixels& skin, const Scale& scale) {
    const int right = std::min(scale.toDevice(kBannerWidth), skin.width);
    const int bottom = std::min(scale.toDevice(kBannerHeight), skin.height);
    for (int y = 0; y < bottom; ++y)
        for (int x = 0; x < right; ++x) skin.data[static_cast<size_t>(y) * skin.width + x] = kBannerGrey;
}

// The five player pictures, in this order; the first failure ends the loading.
void loadPlayerPictures(const Platform& platform, MainControls& controls, const Scale& scale) {
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
                loadBitmapFile(platform, std::string(kButtonsFolder) + button.file, scale);
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

// The start-up's steps 2 to 19, in order. What a step stores is stored as it comes, so a
// failing step leaves what the steps before it did.
struct StartupSteps {
    TForm1& f;
    StartupSettings s;  // config.ini as step 5 read it

    // 2. system menu entry; making the window's handle also sizes it for the first time.
    void systemMenu() {
        f.window_.aboutInSystemMenu = true;
        f.FormResize();
    }

    // 3. no taskbar button; double-buffered, opaque painting.
    void ownerAndBuffering() {
        f.window_.ownerToolWindow = true;
        f.window_.doubleBuffered = true;
    }

    // 4. an instance already running loses its window.
    void otherInstance() {
        f.platform_.desktop.hideWindow(kMainClass, kAppTitle);
        f.sources_.resetTraffic();
    }

    // 5. config.ini, read once; a missing file reads as all defaults.
    void readConfig() {
        s = readStartupSettings(IniFile(f.platform_.files, f.platform_.configPath()), f.window_.width,
                                f.window_.height, f.scale_);
    }

    // 6. label dragging.
    void labelDragging() {
        stored().labelDragging = s.labelDragging;
        if (s.labelDragging) f.mouse_.allowDragging();
    }

    // 7. traffic interface.
    void trafficInterface() { stored().ipInterface = s.ipInterface; }

    // 8. saved label positions and window size.
    void savedPlaces() {
        if (!s.savePositions) return;
        for (int n = kFirstMainLabel; n <= kLastMainLabel; ++n) {
            f.controls_.label(n).left = s.labelPlaces[n].left;
            f.controls_.label(n).top = s.labelPlaces[n].top;
        }
        if (resizeWindow(f.window_, s.formWidth, f.window_.height)) f.FormResize();
        if (resizeWindow(f.window_, f.window_.width, s.formHeight)) f.FormResize();
        f.graphs_.applyPositions(s);
        for (int n : kPlayerPictures) {
            const StartupSettings::PicturePlace& p = s.picturePlaces[n];
            if (p.leftSaved) f.controls_.image(n).left = p.left;
            if (p.topSaved) f.controls_.image(n).top = p.top;
        }
    }

    // 9. modules.
    void modules() {
        stored().modules = s.modules;
        stored().tempLabel = s.tempLabel;
        std::copy(std::begin(s.sensorReadings), std::end(s.sensorReadings),
                  std::begin(stored().sensorReadings));
        stored().lhmPort = s.lhmPort;
        f.controls_.applyModules(s);
        storeModuleFlags(s, f.stored_);
        f.graphs_.applyModule(s.graphs, f.stored_.trafficModule);
    }

    // 10. disk space.
    void diskSpace() {
        stored().getDiskSpace = s.getDiskSpace;
        if (!s.getDiskSpace) return;
        f.controls_.setText(kLabelDiskSpace, f.sources_.driveText());
        f.controls_.label(kLabelDiskSpace).visible = true;
        f.controls_.label(kLabelDiskSpace).drawMark = 1;
    }

    // 11. stored switches and the report timer.
    void switchesAndReports() {
        stored().playerPicturesFromFiles = s.playerPicturesFromFiles;
        stored().trayIcon = s.trayIcon;
        f.timers_.FileTimer1.enabled = s.output;
        stored().playerButtons = s.playerButtons;
        stored().ipServer = s.ipServer;
        f.timers_.FileTimer1.interval = s.outputInterval;
    }

    // 12. self-draw mode: every label is painted by the window itself, whatever the modules.
    void selfDraw() {
        stored().selfDraw = s.selfDraw;
        stored().songLabelsMayShow = s.songLabelsMayShow;
        if (!s.selfDraw) return;
        f.controls_.hideAllForSelfDraw();
        f.graphs_.hideForSelfDraw();
        f.timers_.DrawTimer.enabled = true;
        f.DrawTimerTimer();
    }

    // 13. border, z-order, timers and fonts.
    void borderTimersAndFonts() {
        MainWindowState& window = f.window_;
        window.stayOnTop = s.onTop;
        stored().showUsed = s.showUsed;
        window.toolCaption = s.toolCaption;
        // Leaving the design's z-order or border makes the window anew, with the platform's
        // own system menu.
        if (!window.stayOnTop || !window.toolCaption) window.aboutInSystemMenu = false;
        stored().winampPath = s.winampPath;
        f.timers_.IPTImer.interval = static_cast<unsigned>(s.ipInterval);
        if (s.ipInterval > 0) f.timers_.IPTImer.enabled = true;
        f.timers_.ScrollTimer.enabled = s.scrolling;
        if (!s.fontColorProblem.empty()) throw Error(s.fontColorProblem);
        // White text would vanish under the white colour key.
        const uint32_t color = s.fontColor == kWhite ? kWhiteFontReplacement : s.fontColor;
        window.font.face = s.fontFace;
        window.font.charset = kAnsiCharset;
        const int height = pointsToHeight(s.fontPoints, f.scale_.dpi());
        for (int n = kFirstMainLabel; n <= kLastMainLabel; ++n) {
            Font font = f.controls_.label(n).font;
            font.face = s.fontFace;
            font.height = height;
            font.color = color;
            f.controls_.setFont(n, font);
        }
        f.graphs_.applyColor(color, s.fontFace);
        stored().enablePhp = s.enablePhp;
        stored().enableXml = s.enableXml;
        stored().enableJson = s.enableJson;
        stored().enableMetrics = s.enableMetrics;
        stored().metricsPath = s.metricsPath;
    }

    // 14. skin.
    void skin() {
        f.controls_.image(kImageSkin).bitmap =
            loadBitmapFile(f.platform_, kSkinsFolder + s.skinFile, f.scale_);
    }

    // 15. banner.
    void banner() {
        if (!s.banner) return;
        paintBannerStrip(f.controls_.image(kImageSkin).bitmap, f.scale_);
        f.window_.bannerPainted = true;
    }

    // 16. colour key, translucency, position.
    void lookAndPlace() {
        f.window_.colorKey = s.colorKey;
        f.window_.alpha = s.alpha;
        f.window_.alphaBlend = s.alphaBlend;
        f.window_.left = s.left;
        f.window_.top = s.top;
    }

    // 17. the facts computed once.
    void facts() {
        f.timers_.IPTImer.enabled = s.showIp;
        if (s.showIp) fetchFirstAddress(f.sources_, f.controls_, stored().ipServer);
        showStartupFacts(f.platform_, f.controls_, f.window_.width,
                         s.savePositions ? &s.labelPlaces[kLabelCpuName] : nullptr);
    }

    // 18. player pictures from files; a failure here is handled here.
    void playerPictures() {
        if (s.playerPicturesFromFiles) loadPlayerPictures(f.platform_, f.controls_, f.scale_);
    }

    // 19. tray icon; then full-screen watching, click-through and its tray entry.
    void trayIcon() {
        if (s.trayIcon) f.tray_.added = f.platform_.tray.add(f.tray_.record);
        f.applyDesktopSwitches(s);
    }

    // What the rest of the program consults.
    StartupSettings& stored() { return f.stored_.settings; }
};

void TForm1::FormCreate() {
    static constexpr void (StartupSteps::*kSteps[])() = {
        &StartupSteps::systemMenu,     &StartupSteps::ownerAndBuffering,
        &StartupSteps::otherInstance,  &StartupSteps::readConfig,
        &StartupSteps::labelDragging,  &StartupSteps::trafficInterface,
        &StartupSteps::savedPlaces,    &StartupSteps::modules,
        &StartupSteps::diskSpace,      &StartupSteps::switchesAndReports,
        &StartupSteps::selfDraw,       &StartupSteps::borderTimersAndFonts,
        &StartupSteps::skin,           &StartupSteps::banner,
        &StartupSteps::lookAndPlace,   &StartupSteps::facts,
        &StartupSteps::playerPictures, &StartupSteps::trayIcon,
    };
    // 1. version; the view initialises the common controls.
    startup_.lastStep = 1;
    stored_.version = kVersion;
    StartupSteps steps{*this, {}};
    const std::string failure = failureOf([&] {
        for (auto step : kSteps) {
            ++startup_.lastStep;
            (steps.*step)();
        }
        // Start-up's end: a window no screen shows comes back onto one.
        events_.DisplayChanged();
    });
    if (failure.empty()) return;
    startup_.failure = failure;
    // Even the design position can lie off a small screen.
    events_.DisplayChanged();
    errors_.ShowErrorDialog(kStartupProblem);
}

}  // namespace tabrix

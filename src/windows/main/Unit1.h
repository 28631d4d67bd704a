#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "config/Version.h"
#include "controls/Controls.h"
#include "controls/MainLabels.h"
#include "controls/Scale.h"
#include "platform/Platform.h"
#include "sources/WAmpMsg.h"
#include "windows/ErrorSink.h"
#include "windows/main/Canvas.h"
#include "windows/main/Graphs.h"
#include "windows/main/MainControls.h"
#include "windows/main/MainEvents.h"
#include "windows/main/MainMouse.h"
#include "windows/main/MainSources.h"
#include "windows/main/MainWindowOwner.h"
#include "windows/main/PlayerControl.h"
#include "windows/main/ReportDriver.h"
#include "windows/main/SensorSources.h"
#include "windows/main/StoredValues.h"

namespace tabrix {

constexpr char kAppTitle[] = "Tabrix";
constexpr char kMainClass[] = "TForm1";
constexpr int kClientWidth = 271;
constexpr int kClientHeight = 305;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr char kStartupProblem[] = "There was a problem starting Tabrix";
constexpr char kPlayerButtonsProblem[] = "Cannot load the Winamp buttons";
constexpr char kCpuNameHint[] =
    "To see your CPU name, please uncheck\n\rAdvanced CPU Detection under advanced Settings";
constexpr char kBadIpServer[] = "Bad IP Server";
constexpr uint32_t kBannerGrey = 0x808080;
// Where the upright name starts in the grey strip, and how much smaller than the 8-point
// face its font is.
constexpr int kBannerTextLeft = -2;
constexpr int kBannerTextTop = 54;
constexpr int kBannerFontShrink = 2;

class TForm1;
// Runs the popup menu entry with this command (MenuCommand); 0 runs nothing.
void menuCommand(TForm1& form, int command);

// Start-up's step 17 (Unit1_sources.cpp): the first external address fetch, whose answer
// goes into Label31, and the facts computed once into their labels. savedName is the
// processor name's saved place (null without saved positions).
void fetchFirstAddress(MainSources& sources, MainControls& controls, const std::string& server);
void showStartupFacts(Platform& platform, MainControls& controls, int windowWidth,
                      const LabelPlace* savedName = nullptr);

// A song title rotated left by one character (abc becomes bca); shorter texts stay.
std::string scrollText(const std::string& text);

// The main window's own state, as the view paints it.
struct MainWindowState {
    int left = 688;
    int top = 168;
    int width = 0;  // outer size; set from the client size and the frame at construction
    int height = 0;
    bool toolCaption = true;  // small tool-window caption bar; false: no border at all
    bool stayOnTop = true;
    bool colorKey = true;     // white is see-through
    bool alphaBlend = false;  // translucency on
    uint8_t alpha = 100;
    // Clicks pass through to the window beneath; only with the tray icon, the way back.
    bool clickThrough = false;
    bool layered() const { return colorKey || alphaBlend || clickThrough; }
    bool doubleBuffered = false;
    bool aboutInSystemMenu = false;  // separator + "About Tabrix" at the system menu's end
    bool ownerToolWindow = false;    // the hidden owner carries no taskbar button
    bool visible = true;
    // Out of the way of a full-screen program; visible stays as the user left it.
    bool fullScreenHidden = false;
    bool shown() const { return visible && !fullScreenHidden; }
    bool bannerPainted = false;  // the grey strip is in Image1's bitmap; the view adds the text
    Font font;                   // the window's own font (canvas drawing)
};

// Sets the outer size; false when it stays as it was.
bool resizeWindow(MainWindowState& window, int width, int height);

// The notification-area icon while the main window lives.
struct TrayIcon {
    TrayRecord record;
    bool added = false;
};

// The main window's timers, by the names the behaviour knows them by; the player's start
// timer is the player control's own.
struct MainTimers {
    Timer systimer{"systimer", 1000, true};
    Timer FileTimer1{"FileTimer1", 5000, false};
    Timer WinampTimer{"WinampTimer", 5000, true};
    Timer IPTImer{"IPTImer", 0, false};
    Timer tmrTraffic{"tmrTraffic", 1000, false, &systimer};  // switched on by the refresh
    Timer DrawTimer{"DrawTimer", 2000, false};
    Timer ScrollTimer{"ScrollTimer", 100, false};
};

// How far the last start-up came: the last step that began, and the failed step's error
// text (empty after a full start-up).
struct StartupProgress {
    int lastStep = 0;
    std::string failure;
};

// The main window's timers and the player's start timer, as the view numbers them.
constexpr size_t kMainTimerCount = 8;

// What the view paints and the tests read of the main window, all read-only.
struct MainLook {
    const MainControls& controls;
    const MainWindowState& window;
    // The screen's scale, read once as the window is built; every place is in its pixels.
    const Scale& scale;
    // Self-draw mode's writes onto the window's surface go to the sink (the view) as they come.
    const Canvas& canvas;
    const Graphs& graphs;  // the history graphs, painted like the labels
    const TrayIcon& tray;
    const MainTimers& timers;

    // Label2 .. Label36 (MainLabels.h names the fact of each) and Image1 .. Image7.
    const Label& label(int number) const { return controls.label(number); }
    const Picture& image(int number) const { return controls.image(number); }
};

// The main window: built from config.ini by FormCreate, then driven by the view's events
// and timers. Its handlers keep the names the behaviour is known by and forward to the
// parts that own each concern: the labels and pictures, the mouse, the tray and system
// events, the player link, the report output and the slower sources.
class TForm1 {
public:
    TForm1(Platform& platform, StoredValues& stored, ErrorSink& errors);

    // The start-up: never lets an error out; a failure in steps 2 to 19 ends it there.
    void FormCreate();
    void FormResize();
    // Saves the layout and takes the tray icon away (Unit1_menu.cpp).
    void FormClose();

    // The window was moved, or resized to this outer size, by the user or the system.
    void Moved(int left, int top) {
        window_.left = left;
        window_.top = top;
    }
    void Resized(int width, int height);

    MainLook look() const { return {controls_, window_, scale_, canvas_, graphs_, tray_, timers_}; }
    MainMouse& mouse() { return mouse_; }
    MainEvents& events() { return events_; }

    // Where the sensor pairs come from now.
    SensorSource sensorSource() const { return sensors_.live(); }
    // The player the song line followed at the last refresh.
    PlayerKind followedPlayer() const { return followedPlayer_; }

    void setCanvasSink(CanvasSink* sink) { canvas_.sink = sink; }
    // Set by the program; nothing is asked of it before.
    void setOwner(MainWindowOwner* owner) { owner_ = owner; }
    // A Settings preview: the opacity slider's position, or another skin (null: none).
    void PreviewOpacity(int position);
    void PreviewSkin(const Pixels* skin);

    // Timer handlers, one per timer; the view calls them when their timer fires.
    void systimerTimer();  // refresh of the changing facts, every second (Unit1_refresh.cpp)
    void FileTimer1Timer() { report_.FileTimer1Timer(stored_); }  // the PHP, XML and JSON reports
    void WinampTimerTimer();                                      // song title poll
    void IPTImerTimer();                                          // external address refresh
    void tmrTrafficTimer();                                       // traffic rates and link speed
    void DrawTimerTimer();    // self-draw pass; start-up runs it once in self-draw mode
    void ScrollTimerTimer();  // song title scrolling (Unit1_selfdraw.cpp)
    // Sends the clicked command once the player a click started is up.
    void PlayerStartTimerTimer() { player_.startTimerTick(); }
    // Every timer with its handler, in the order the view numbers them.
    std::array<std::pair<const Timer*, void (TForm1::*)()>, kMainTimerCount> timerHandlers() const;

private:
    friend struct MainWindowAccess;  // the tests' look inside
    friend struct StartupSteps;      // FormCreate's steps (Unit1_startup.cpp)
    friend struct MenuActions;       // pmenu1's entries (Unit1_menu.cpp)
    friend struct RefreshSteps;      // systimer's steps (Unit1_refresh.cpp)
    friend class MainEvents;         // the tray and system events (MainEvents.h)

    // Start-up's end: full-screen watching, click-through and its tray entry.
    void applyDesktopSwitches(const StartupSettings& s);
    // The refresh tick's last step.
    void ForegroundChanged() { events_.ForegroundChanged(); }

    Platform& platform_;
    StoredValues& stored_;
    ErrorSink& errors_;
    Scale scale_;
    MainWindowState window_;
    Canvas canvas_;
    Graphs graphs_;
    TrayIcon tray_;
    MainTimers timers_;
    MainWindowOwner* owner_ = nullptr;
    std::vector<MenuItem> pmenu1_ = designMenu();
    MainControls controls_;
    PlayerControl player_;
    MainMouse mouse_{window_, controls_, graphs_, player_};
    MainEvents events_{*this};
    ReportDriver report_;
    MainSources sources_;
    SensorSources sensors_;
    PlayerKind followedPlayer_ = PlayerKind::None;
    StartupProgress startup_;
};

}  // namespace tabrix

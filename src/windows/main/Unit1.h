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
#include "windows/main/LabelDragging.h"
#include "windows/main/MainControls.h"
#include "windows/main/MainSources.h"
#include "windows/main/MainWindowOwner.h"
#include "windows/main/PlayerControl.h"
#include "windows/main/ReportDriver.h"
#include "windows/main/SensorSources.h"
#include "windows/main/StoredValues.h"
#include "windows/main/WindowDragging.h"

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

// The main window: built from config.ini by FormCreate, then driven by the view's events
// and timers. Its handlers keep the names the behaviour is known by and forward to the
// parts that own each concern: the labels and pictures, label dragging, the player link,
// the report output and the slower sources.
class TForm1 {
public:
    static constexpr int kFirstLabel = kFirstMainLabel;
    static constexpr int kLastLabel = kLastMainLabel;

    TForm1(Platform& platform, StoredValues& stored, ErrorSink& errors);

    // The start-up: never lets an error out; a failure in steps 2 to 19 ends it there.
    void FormCreate();
    void FormResize();

    // The window was moved, or resized to this outer size, by the user or the system.
    void Moved(int left, int top) {
        window_.left = left;
        window_.top = top;
    }
    void Resized(int width, int height);

    // The mouse on the window. A press on the background drags the window (screen
    // coordinates), one on a label or a graph drags that when dragging is allowed (the
    // label's or graph's own coordinates, Graphs numbering from 1); the drag follows the
    // pointer until the release of the button that began it.
    void BackgroundMouseDown(MouseButton button, Point screen);
    void LabelMouseDown(int number, int x, int y, MouseButton button = MouseButton::Left);
    void LabelMouseMove(int number, int x, int y) { drag_.move(controls_, number, x, y); }
    void GraphMouseDown(int graph, int x, int y, MouseButton button = MouseButton::Left);
    void GraphMouseMove(int graph, int x, int y) { graphs_.move(graph, x, y); }
    void BackgroundMouseMove(Point screen);
    // A button's release: true when the view asks for the context menu next (the right
    // button, with no drag of another button going on).
    bool MouseUp(MouseButton button);
    // The window lost the mouse: whatever was dragged stays where it got to.
    void MouseCaptureLost();
    // A drag holds the mouse (the view keeps it captured meanwhile).
    bool mouseHeld() const { return mouse_.held(); }
    // Whether start-up allows dragging, and the label being dragged (0 when none).
    const LabelDragging& dragging() const { return drag_; }
    // Where the sensor pairs come from now.
    SensorSource sensorSource() const { return sensors_.live(); }
    // The player the song line followed at the last refresh.
    PlayerKind followedPlayer() const { return followedPlayer_; }

    // Label2 .. Label36 (MainLabels.h names the fact of each) and Image1 .. Image7.
    Label& label(int number) { return controls_.label(number); }
    const Label& label(int number) const { return controls_.label(number); }
    Picture& image(int number) { return controls_.image(number); }
    const Picture& image(int number) const { return controls_.image(number); }

    const MainWindowState& window() const { return window_; }
    // The screen's scale, read once as the window is built; every place above is in its pixels.
    const Scale& scale() const { return scale_; }
    // Self-draw mode's writes onto the window's surface go to the sink (the view) as they come.
    const Canvas& canvas() const { return canvas_; }
    void setCanvasSink(CanvasSink* sink) { canvas_.sink = sink; }
    const Graphs& graphs() const { return graphs_; }  // the history graphs, painted like the labels
    const TrayIcon& tray() const { return tray_; }
    const MainTimers& timers() const { return timers_; }
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
    static constexpr size_t kTimerCount = 8;
    std::array<std::pair<const Timer*, void (TForm1::*)()>, kTimerCount> timerHandlers() const;

    // Tray icon, menus, keys and window behaviour (Unit1_tray.cpp, Unit1_menu.cpp).
    // Set by the program; nothing is asked of it before.
    void setOwner(MainWindowOwner* owner) { owner_ = owner; }
    const std::vector<MenuItem>& pmenu1() const { return pmenu1_; }
    // The icon leaves the notification area (the record need not be there).
    void RemoveTrayIcon();
    void TrayIconCallback(uint32_t mouseMessage);  // the tray's callback message
    bool SysCommand(uint32_t command);             // true: the default handling follows
    void EndSession(bool ending);                  // WM_ENDSESSION
    void FormActivate();                           // WM_ACTIVATE: owner placement
    void FormKeyDown(int key);
    void FormContextPopup();  // WM_CONTEXTMENU
    void TaskbarCreated();    // the shell restarted: icon again
    // The window was shown or hidden, by the program or from outside (a second copy's
    // start-up hides it): the record follows, so that nothing here undoes it.
    void VisibilityChanged(bool visible);
    void FormClose();
    // Start-up's end and WM_DISPLAYCHANGE: the display mode is asked afresh, and a window no
    // screen shows comes back onto the nearest one (Unit1_screen.cpp).
    void DisplayChanged();
    // WM_SETTINGCHANGE: the user's settings (the decimal separator among them) are asked afresh.
    void SettingChanged();
    // Each refresh tick and each change of the foreground window: with hidefullscreen on,
    // the window steps aside while a full-screen program covers its monitor (Unit1_desktop.cpp).
    void ForegroundChanged();
    bool watchesForeground() const { return stored_.settings.hideFullScreen; }
    // Image2Click ... Image7Click: a player button runs the click procedure with its command,
    // by picture number (MainPicture); other numbers run nothing.
    void PlayerPictureClick(int image);

private:
    friend struct MainWindowAccess;  // the tests' look inside
    friend struct StartupSteps;      // FormCreate's steps (Unit1_startup.cpp)
    friend struct MenuActions;       // pmenu1's entries (Unit1_menu.cpp)
    friend struct RefreshSteps;      // systimer's steps (Unit1_refresh.cpp)

    // Start-up's end: full-screen watching, click-through and its tray entry.
    void applyDesktopSwitches(const StartupSettings& s);

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
    LabelDragging drag_;
    WindowDragging mouse_;
    PlayerControl player_;
    ReportDriver report_;
    MainSources sources_;
    SensorSources sensors_;
    PlayerKind followedPlayer_ = PlayerKind::None;
    StartupProgress startup_;
};

}  // namespace tabrix

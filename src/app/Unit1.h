#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/Canvas.h"
#include "forms/Controls.h"
#include "forms/MainLabels.h"
#include "app/MainWindowOwner.h"
#include "app/StoredValues.h"
#include "platform/Platform.h"
#include "report/ReportOutput.h"
#include "sources/DriveSpace.h"
#include "sources/Traffic.h"

namespace tabrix {

class TWinampApi;

// Where errors go that a handler reports to the user (the error notice).
class ErrorSink {
public:
    virtual ~ErrorSink() = default;
    virtual void ShowErrorDialog(const std::string& message) = 0;
};

constexpr char kAppTitle[] = "Tabrix";
constexpr char kMainClass[] = "TForm1";
constexpr char kVersion[] = "0.50";
constexpr int kClientWidth = 271;
constexpr int kClientHeight = 305;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kAboutCommand = 0x401;
constexpr char kStartupProblem[] = "There was a problem starting Tabrix";
constexpr char kPlayerButtonsProblem[] = "Cannot load the Winamp buttons";
constexpr char kCpuNameHint[] =
    "To see your CPU name, please uncheck\n\rAdvanced CPU Detection under advanced Settings";
constexpr char kBadIpServer[] = "Bad IP Server";
constexpr uint32_t kBannerGrey = 0x808080;

// A song title rotated left by one character (abc becomes bca); shorter texts stay.
std::string scrollText(const std::string& text);

// The main window's own state, as the view paints it.
struct MainWindowState {
    int left = 688;
    int top = 168;
    int width = 0;   // outer size; set from the client size and the frame at construction
    int height = 0;
    bool toolCaption = true;  // small tool-window caption bar; false: no border at all
    bool stayOnTop = true;
    bool colorKey = true;     // white is see-through
    bool alphaBlend = false;  // translucency on
    uint8_t alpha = 100;
    bool layered() const { return colorKey || alphaBlend; }
    bool doubleBuffered = false;
    bool aboutInSystemMenu = false;  // separator + "About Tabrix" at the system menu's end
    bool ownerToolWindow = false;    // the hidden owner carries no taskbar button
    bool visible = true;
    Font font;  // the window's own font (canvas drawing)
};

// The main window's behaviour: built from config.ini by FormCreate, then driven by the
// view's events and timers.
class TForm1 {
public:
    static constexpr int kFirstLabel = kFirstMainLabel;
    static constexpr int kLastLabel = kLastMainLabel;

    TForm1(Platform& platform, StoredValues& stored, ErrorSink& errors);

    // The start-up: never lets an error out; a failure in steps 2 to 19 ends it there.
    void FormCreate();
    void FormResize();

    // Label dragging: press, move while captured, release. Coordinates are the label's own.
    void LabelMouseDown(int number, int x, int y);
    void LabelMouseMove(int number, int x, int y);
    void LabelMouseUp(int number);

    Label& label(int number) { return labels_.at(number); }
    const Label& label(int number) const { return labels_.at(number); }
    // Label2 .. Label36 in number order; label 34 is named "label34".
    static std::string labelName(int number);
    // Sets a label's text and re-sizes it the way an auto-sized label does.
    void setLabelText(int number, const std::string& text);
    void setLabelFont(int number, const Font& font);

    Picture& image(int number) { return images_.at(number); }  // Image1 .. Image7
    const Picture& image(int number) const { return images_.at(number); }

    MainWindowState window;
    Canvas canvas;  // self-draw mode's writes onto the window's surface
    std::vector<std::string> Memo1;

    Timer systimer{"systimer", 1000, true};
    Timer FileTimer1{"FileTimer1", 5000, false};
    Timer WinampTimer{"WinampTimer", 5000, true};
    Timer IPTImer{"IPTImer", 0, false};
    Timer tmrTraffic{"tmrTraffic", 1000, false};
    Timer DrawTimer{"DrawTimer", 2000, false};
    Timer ScrollTimer{"ScrollTimer", 100, false};
    // Waits, without holding the window, for a player a button click has started.
    Timer PlayerStartTimer{"PlayerStartTimer", 100, false};

    TrayRecord trayRecord;
    bool trayAdded = false;
    bool labelDragging() const { return dragHandlers_; }
    int capturedLabel() const { return dragLabel_; }  // 0 when none
    bool bannerPainted = false;  // the grey strip is in Image1's bitmap; the view adds the text
    std::string startupFailure;  // the failed step's error text, empty after a full start-up
    int lastStartupStep = 0;     // the last step that began

    // Timer handlers, one per timer above; the view calls them when their timer fires.
    void systimerTimer();    // refresh of the changing facts, every second
    void FileTimer1Timer();  // report files: reads savepath, writes the PHP and XML reports
    void WinampTimerTimer(); // song title poll
    void IPTImerTimer();     // external address refresh
    void tmrTrafficTimer();  // traffic rates and link speed
    void DrawTimerTimer();   // self-draw pass; start-up runs it once in self-draw mode
    void ScrollTimerTimer(); // song title scrolling (Unit1_selfdraw.cpp)
    void PlayerStartTimerTimer();  // sends the clicked command once the started player is up
    // Every timer with its handler, in the order the view numbers them.
    static constexpr size_t kTimerCount = 8;
    std::array<std::pair<Timer*, void (TForm1::*)()>, kTimerCount> timers();

    // Tray icon, menus, keys and window behaviour (Unit1_tray.cpp, Unit1_menu.cpp).
    MainWindowOwner* owner = nullptr;  // set by the program; nothing is asked of it before
    std::vector<MenuItem> pmenu1 = designMenu();
    void TrayIconCallback(uint32_t mouseMessage);  // the tray's message 0x401
    bool SysCommand(uint32_t command);             // true: the default handling follows
    void EndSession(bool ending);                  // WM_ENDSESSION
    void FormActivate();                           // WM_ACTIVATE: owner placement
    void FormKeyDown(int key);
    void FormContextPopup();                       // WM_CONTEXTMENU
    void TaskbarCreated();                         // the shell restarted: icon again
    void menuCommand(int command);
    void Show1Click();
    // The window was shown or hidden, by the program or from outside (a second copy's
    // start-up hides it): the record follows, so that nothing here undoes it.
    void VisibilityChanged(bool visible);
    void ReloadClick();
    void Settings1Click();
    void About1Click();
    void Update1Click();
    void SavePosition1Click();
    void Help1Click();
    void CopyIPaddress1Click();
    void CopyCPUname1Click();
    void Exit1Click();
    void FormClose();
    MenuItem& menuItem(const std::string& name);

    // Player buttons (Unit1_player.cpp): each runs the click procedure with its command.
    void Image2Click();
    void Image3Click();
    void Image4Click();
    void Image6Click();
    void Image7Click();

private:
    // tray, menus and player (Unit1_tray.cpp, Unit1_menu.cpp, Unit1_player.cpp)
    void showPopup(bool fromTray);
    bool savePosition();  // false after its message box
    void playerClick(void (TWinampApi::*command)());
    // Clicks made while the started player is awaited, in their order.
    std::vector<void (TWinampApi::*)()> pendingPlayerCommands_;
    uint32_t playerStartedAt_ = 0;

    void startupSteps();
    void beginStep(int step) { lastStartupStep = step; }
    void applySavedPositions(const StartupSettings& s);
    void applyModules(const StartupSettings& s);
    void applySelfDraw();
    void applyLook(const StartupSettings& s);
    void paintBannerStrip();
    void computeFacts(bool showIp);
    void loadPlayerPictures();
    void resetTrafficBaselines();
    void autoSize(Label& l);
    void setWindowSize(int width, int height);
    Pixels loadBitmapFile(const std::string& name);

    // refresh cycle (Unit1_refresh.cpp)
    void refreshSteps(SystemApi& system, PlayerWindow& player);
    void refreshCpuUsage();
    void refreshSongLabels(PlayerWindow& player);
    void refreshPlayerButtons(PlayerWindow& player);
    void refreshDiskSpace();
    // Sources of their own (Unit1_sources.cpp).
    bool ReadMBM5Data();  // false when no sensor block is published
    std::string driveText();
    void startupIpLookup(bool showIp);
    // Fetches the external address away from the window; use runs with the answer on the
    // window's thread, and only while this window still exists.
    void fetchExternalIp(std::function<void(const std::string&)> use);
    bool playerRunning(PlayerWindow& player);  // a fresh player link for each question
    void setSongLabelsVisible(bool visible);
    void setPlayerButtonsVisible(bool visible);

    // The display mode the last refresh tick read, which the reports share.
    DisplayMode tickDisplay_;
    bool tickDisplayRead_ = false;
    SavePathCache reportPath_;  // savepath as last read, for the report ticks
    DrivesFileCache drivesFile_;  // drives.inf as last read, for the refresh ticks

    Platform& platform_;
    StoredValues& stored_;
    ErrorSink& errors_;
    std::array<Label, kLastLabel + 1> labels_;
    std::array<Picture, 8> images_;
    bool dragHandlers_ = false;
    int dragLabel_ = 0;
    int dragOriginX_ = 0;
    int dragOriginY_ = 0;
    TrafficBaselines traffic_;
    bool ipFetchPending_ = false;
    // Expires with the window: an answer that arrives later sees it gone.
    std::shared_ptr<int> lifetime_ = std::make_shared<int>(0);
};

}  // namespace tabrix

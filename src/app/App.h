#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "windows/about/Unit2.h"
#include "windows/main/StoredValues.h"
#include "windows/main/Unit1.h"
#include "windows/notice/frmError.h"
#include "windows/settings/Unit3.h"

namespace tabrix {

// What the program entry asks of the windowing side: real windows for the behaviour
// objects. The Win32 entry implements it; host tests record the calls.
class AppHost {
public:
    virtual ~AppHost() = default;
    // The real main window exists (hidden) while FormCreate runs, as it would on Windows.
    virtual void mainWindowCreating(TForm1& form) = 0;
    // FormCreate is over: apply its state and show the window.
    virtual void mainWindowCreated(TForm1& form) = 0;
    virtual void mainWindowDestroying(TForm1& form) = 0;
    // A live preview of the Settings window changed the main window's opacity or picture.
    virtual void mainWindowPreviewed(TForm1&) {}
    // The windows besides the main one that must exist from the start (the error notice);
    // Settings and About may wait for showSettings and showAbout.
    virtual void createAuxiliaryWindows() = 0;
    // The error notice shows a message (it exists from the end of the entry on).
    virtual void showNotice(const std::string& message, int mainLeft, int mainTop) = 0;
    // The main window asked for a rebuild: call App::rebuildMainWindow from the message
    // loop, once the asking handler has returned.
    virtual void postRebuild() = 0;
    virtual void showSettings() = 0;
    virtual void showAbout() = 0;
    // The Settings window's behaviour changed outside its own handlers: bring it up to date.
    virtual void settingsChanged() {}
    // Closes the real main window now; its close runs TForm1::FormClose and ends the loop.
    virtual void closeMainWindow(TForm1& form) = 0;
    // Ends the message loop without closing anything.
    virtual void terminate() = 0;
};

constexpr char kOldWindowsWarning[] =
    "You are not running Windows 2000/XP.  Please download the Windows 9x version";
constexpr char kForcedSong[] = "foo";

// The program entry and the lifetime of the main window.
class App : public ErrorSink, public MainWindowOwner, public SettingsWindowOwner {
public:
    App(Platform& platform, AppHost& host);
    ~App() override;

    // Entry steps 1 to 6 (without the message loop).
    void start();
    // Destroys the main window (removing its tray icon) and builds a new one; the song poll
    // starts over with "foo" so the new window's song line is written.
    void rebuildMainWindow();

    // The error notice; before it exists a message waits and is shown once it does.
    void ShowErrorDialog(const std::string& message) override;
    // The application-wide handler for whatever a window handler lets out.
    void handleException(const std::exception& e);
    void handleUnknownException();

    // What the main window asks of the program.
    void reloadMainWindow() override { host_.postRebuild(); }
    void showSettings() override;
    void showAbout() override;
    void closeMainWindow() override;
    void terminate() override { host_.terminate(); }
    void sensorSourceChanged(SensorSource source) override;
    void playerChanged(PlayerKind player) override;

    // What the Settings window asks.
    void previewOpacity(int position) override;
    void previewSkin(const Pixels* skin) override;
    void replaceMainWindow() override { reloadMainWindow(); }

    TForm1* mainWindow() { return main_.get(); }
    TForm3* settings() { return settings_.get(); }
    StoredValues& stored() { return stored_; }
    const std::string& title() const { return title_; }
    TForm4* notice() { return notice_.get(); }
    TForm2* about() { return about_.get(); }

private:
    void createMainWindow();
    void createAboutWindow();
    // The tray icon goes with the window; removeIconAnyway: even one the record says is not there.
    void destroyMainWindow(bool removeIconAnyway = false);

    Platform& platform_;
    AppHost& host_;
    Scale scale_;  // the screen's, read once at start: the windows besides the main one are built at it
    StoredValues stored_;
    std::unique_ptr<TForm1> main_;
    std::unique_ptr<TForm3> settings_;
    std::string title_;
    bool noticeExists_ = false;
    std::unique_ptr<TForm2> about_;
    std::unique_ptr<TForm4> notice_;
    std::vector<std::string> pending_;
};

}  // namespace tabrix

// Tabrix.exe: the program entry. Builds the real platform and windows around the behaviour.
#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "app/App.h"
#include "app/SourceStartupFacts.h"
#include "platform/win32/AboutView.h"
#include "platform/win32/ErrorNoticeView.h"
#include "platform/win32/MainWindowView.h"
#include "platform/win32/Resources.h"
#include "platform/win32/SettingsView.h"
#include "platform/win32/Win32Codepage.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32IpLookup.h"
#include "platform/win32/Win32Network.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32Settings.h"
#include "platform/win32/Win32SettingsFolder.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32Sources.h"
#include "platform/win32/Win32System.h"
#include "report/SourceReportFacts.h"
#include "sources/SystemFacts.h"
#include "sources/adCpuUsage.h"

using namespace tabrix;
using namespace tabrix::win32;

namespace {

// Asks the owner window to rebuild the main window from the message loop, where no
// handler of the old one is running any more.
constexpr UINT kRebuildMessage = WM_APP + 1;
// A message box inside one of the old window's handlers runs its own message loop, which
// delivers the request too: it waits on this timer until the handler has returned.
constexpr UINT_PTR kRebuildRetryTimer = 1;
constexpr UINT kRebuildRetryMs = 50;
App* theApp = nullptr;
const MainWindowView* theView = nullptr;

LRESULT CALLBACK ownerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    const bool retry = msg == WM_TIMER && wp == kRebuildRetryTimer;
    if ((msg == kRebuildMessage || retry) && theApp) {
        if (retry) KillTimer(hwnd, kRebuildRetryTimer);
        if (theView && theView->busy()) {
            SetTimer(hwnd, kRebuildRetryTimer, kRebuildRetryMs, nullptr);
            return 0;
        }
        try {
            theApp->rebuildMainWindow();
        } catch (const std::exception& e) {
            theApp->handleException(e);
        }
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// The hidden owner that would carry a taskbar button.
HWND createOwnerWindow(HINSTANCE instance) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ownerProc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "TApplication";
    RegisterClassA(&wc);
    return CreateWindowExA(0, "TApplication", kAppTitle, WS_POPUP, 200, 200, 0, 0, nullptr, nullptr, instance,
                           nullptr);
}

// Connects the program entry to real windows.
class Win32Host : public AppHost {
public:
    Win32Host(HINSTANCE instance, Win32Tray& tray, Win32WindowSystem& windows, Win32Clipboard& clipboard,
              Win32Settings& settingsUi)
        : instance_(instance),
          tray_(tray),
          windows_(windows),
          clipboard_(clipboard),
          settingsUi_(settingsUi) {
        icon_ = loadProgramIcon(instance);
        tray_.icon = icon_;
        owner_ = createOwnerWindow(instance);
        windows_.owner = owner_;
    }
    void attach(App& app) {
        app_ = &app;
        theApp = &app;
    }

    void mainWindowCreating(TForm1& form) override {
        view_ = std::make_unique<MainWindowView>(instance_, owner_, icon_, errorHandler(), &windows_);
        view_->create(form);
        theView = view_.get();
        tray_.window = view_->hwnd();
        windows_.window = view_->hwnd();
        clipboard_.window = view_->hwnd();
    }
    void mainWindowCreated(TForm1&) override { view_->showAfterStartup(); }
    void mainWindowPreviewed(TForm1&) override {
        if (view_) view_->applyPreview();
    }
    void mainWindowDestroying(TForm1&) override {
        theView = nullptr;
        view_.reset();
    }

    void createAuxiliaryWindows() override {
        // Settings, About and the error notice are kept hidden for the program's life.
        if (app_->settings()) {
            settings_ = std::make_unique<SettingsView>(instance_, owner_, icon_, errorHandler());
            settings_->create(*app_->settings());
            settingsUi_.owner = settings_->hwnd();
        }
        if (TForm2* about = app_->about()) {
            about->loadBanner(loadBannerJpeg(instance_));
            about_ = std::make_unique<AboutView>(instance_, owner_, icon_, errorHandler());
            about_->create(*about);
        }
        notice_ = std::make_unique<ErrorNoticeView>(instance_, owner_, loadNoticePictures(instance_),
                                                    errorHandler());
        notice_->create(*app_->notice());
    }
    void showNotice(const std::string&, int, int) override {
        // Until the balloon exists the message is kept as the notice window's text.
        if (notice_) notice_->sync();
    }

    // A label changed outside the window's own handlers (an answer from the network).
    void repaintMainWindow() {
        if (view_ && view_->hwnd()) InvalidateRect(view_->hwnd(), nullptr, FALSE);
    }

    void postRebuild() override { PostMessageA(owner_, kRebuildMessage, 0, 0); }
    void showSettings() override {
        if (!settings_) return;
        settings_->sync();
        SetForegroundWindow(settings_->hwnd());
    }
    void showAbout() override {
        if (about_) about_->present();
    }
    // The dialogs' own keys, before the message is translated.
    bool dialogMessage(MSG& msg) {
        if (settings_ && settings_->preTranslate(msg)) return true;
        return about_ && about_->dialogMessage(msg);
    }
    void closeMainWindow(TForm1&) override {
        // Sent, not posted: at the session's end nothing posted would be handled any more.
        if (view_ && view_->hwnd()) SendMessageA(view_->hwnd(), WM_CLOSE, 0, 0);
    }
    void terminate() override { PostQuitMessage(0); }

private:
    ErrorHandler errorHandler() {
        return [this](const std::exception* e) {
            if (e)
                app_->handleException(*e);
            else
                app_->handleUnknownException();
        };
    }

    HINSTANCE instance_;
    Win32Tray& tray_;
    Win32WindowSystem& windows_;
    Win32Clipboard& clipboard_;
    HICON icon_ = nullptr;
    HWND owner_ = nullptr;
    Win32Settings& settingsUi_;
    std::unique_ptr<SettingsView> settings_;
    std::unique_ptr<AboutView> about_;
    std::unique_ptr<ErrorNoticeView> notice_;
    App* app_ = nullptr;
    std::unique_ptr<MainWindowView> view_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    InitCommonControls();
    Win32Files files;
    Win32Ui ui;
    Win32Desktop desktop;
    Win32TextMeasure text;
    Win32Tray tray;
    Win32Codepage codepage;
    Win32System system;
    Win32Performance performance;
    Win32Cpuid cpuid;
    Win32PlayerWindow player;
    VersionInfo version;
    system.version(version);
    SourceReportFacts reportFacts(system, player, version, "");
    // The processor is identified once, before the first main window.
    SourceStartupFacts facts(system, cpuid, version);
    Win32Shell shell;
    Win32Clipboard clipboard;
    Win32WindowSystem windows(instance);
    Win32Clock clock;
    Win32Network network;
    Win32Disks disks;
    Win32SharedMemory sharedMemory;
    Win32IpLookup ipLookup(instance);
    Win32Settings settingsUi;
    Platform platform{files,    ui,          desktop, text,         tray,    programDirectory(), facts,
                      codepage, reportFacts, system,  player,       shell,   clipboard,          windows,
                      clock,    network,     disks,   sharedMemory, ipLookup,           settingsUi};
    platform.settingsDir = settingsDirectory(files, platform.programDir);
    try {
        InitCpuCounters(performance, system);
    } catch (const std::exception&) {
        // Only an unreadable Windows version gets here: the sampler never starts and the load
        // reads 0; everything else runs on.
    }
    Win32Host host(instance, tray, windows, clipboard, settingsUi);
    App app(platform, host);
    host.attach(app);
    ipLookup.afterAnswer = [&host] { host.repaintMainWindow(); };
    try {
        app.start();
    } catch (const std::exception& e) {
        app.handleException(e);
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (host.dialogMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    StopCpuCounters();
    return 0;
}

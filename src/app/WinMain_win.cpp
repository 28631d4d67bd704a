// Tabrix.exe: the program entry. Builds the real platform and windows around the behaviour.
#include <windows.h>

#include <cstdlib>
#include <memory>

#include "app/App.h"
#include "app/RealPlatform_win.h"
#include "platform/win32/Library.h"
#include "platform/win32/Resources.h"
#include "platform/win32/Win32SettingsFolder.h"
#include "platform/win32/WindowClass.h"
#include "sources/adCpuUsage.h"
#include "windows/View_win.h"
#include "windows/about/AboutView_win.h"
#include "windows/main/MainWindowView_win.h"
#include "windows/notice/ErrorNoticeView_win.h"
#include "windows/settings/SettingsView_win.h"

using namespace tabrix;
using namespace tabrix::win32;

// The C++ library's default terminate handler writes the exception's demangled name to a
// console this program does not have, then aborts; aborting at once keeps its demangler
// (46 kB) out of the exe.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx

namespace {

// Asks the owner window to rebuild the main window from the message loop, where no
// handler of the old one is running any more.
constexpr UINT kRebuildMessage = WM_APP + 1;
// A message box inside one of the old window's handlers runs its own message loop, which
// delivers the request too: it waits on this timer until the handler has returned.
constexpr UINT_PTR kRebuildRetryTimer = 1;
constexpr UINT kRebuildRetryMs = 50;
constexpr char kOwnerClass[] = "TApplication";

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
        tray_.icon = loadSmallProgramIcon(instance);
        // The hidden owner that would carry a taskbar button; its messages come here.
        registerWindowClass(instance, {kOwnerClass, viewWindowProc<Win32Host>, nullptr,
                                       reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr});
        owner_.reset(CreateWindowExA(0, kOwnerClass, kAppTitle, WS_POPUP, 200, 200, 0, 0, nullptr, nullptr,
                                     instance, this));
        windows_.owner = owner_.get();
        const Scale scale(screenDotsPerInch(LOGPIXELSX));
        std::array<Pixels, kMenuIconCount> menuIcons;
        for (int i = 0; i < kMenuIconCount; ++i)
            menuIcons[i] = loadPicture(instance, kBmpMenuFirst + i, scale);
        constexpr int kMenuIconSize = 16, kMenuIconGap = 4;  // the design's
        windows_.setMenuIcons(menuIcons, scale.toDevice(kMenuIconSize), scale.toDevice(kMenuIconGap));
    }
    Win32Host(const Win32Host&) = delete;
    Win32Host& operator=(const Win32Host&) = delete;
    ~Win32Host() override {
        // The views first, in the order their members would go: the owner takes its owned
        // windows with it.
        view_.reset();
        notice_.reset();
        about_.reset();
        settings_.reset();
        if (owner_) {
            SetWindowLongPtrA(owner_.get(), GWLP_USERDATA, 0);
            owner_.reset();
        }
    }
    void attach(App& app) { app_ = &app; }

    bool owns(HWND hwnd) const { return owner_.get() == hwnd; }
    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp) {
        const bool retry = msg == WM_TIMER && wp == kRebuildRetryTimer;
        if ((msg == kRebuildMessage || retry) && app_) {
            if (retry) KillTimer(owner_.get(), kRebuildRetryTimer);
            if (view_ && view_->busy()) {
                SetTimer(owner_.get(), kRebuildRetryTimer, kRebuildRetryMs, nullptr);
                return 0;
            }
            guarded(errorHandler(), [&] { app_->rebuildMainWindow(); });
            return 0;
        }
        return DefWindowProcA(owner_.get(), msg, wp, lp);
    }

    void mainWindowCreating(TForm1& form) override {
        view_ = std::make_unique<MainWindowView>(instance_, owner_.get(), icon_, errorHandler(), &windows_);
        view_->create(form);
        tray_.window = view_->hwnd();
        windows_.window = view_->hwnd();
        clipboard_.window = view_->hwnd();
    }
    void mainWindowCreated(TForm1&) override { view_->showAfterStartup(); }
    void mainWindowPreviewed(TForm1&) override {
        if (view_) view_->applyPreview();
    }
    void mainWindowDestroying(TForm1&) override { view_.reset(); }

    void createAuxiliaryWindows() override {
        // Only the error notice is built now; Settings and About, which need the common
        // controls and (About) the decoded banner, are built when first shown, so a run
        // that never opens them does not map or keep any of that.
        notice_ = std::make_unique<ErrorNoticeView>(
            instance_, owner_.get(),
            [instance = instance_](const Scale& scale) { return loadNoticePictures(instance, scale); },
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

    // Labels changed by an answer that comes between ticks (the sensor web server's): only what
    // changed is repainted.
    void syncMainWindow() {
        if (view_ && view_->hwnd()) view_->sync();
    }

    void postRebuild() override { PostMessageA(owner_.get(), kRebuildMessage, 0, 0); }
    void showSettings() override {
        if (!settings_ && app_->settings()) {
            loadCommonControls();
            settings_ = std::make_unique<SettingsView>(instance_, owner_.get(), icon_, errorHandler());
            settings_->create(*app_->settings());
            settingsUi_.owner = settings_->hwnd();
        }
        if (!settings_) return;
        settings_->sync();
        SetForegroundWindow(settings_->hwnd());
    }
    void settingsChanged() override {
        if (settings_) settings_->sync();
    }
    void showAbout() override {
        TForm2* about = app_->about();
        if (!about_ && about) {
            loadCommonControls();
            const int drawn = about->scale().drawnDpi();
            about->loadBanner(loadBannerJpeg(instance_, drawn), drawn);
            about_ = std::make_unique<AboutView>(instance_, owner_.get(), icon_, errorHandler());
            about_->create(*about);
        }
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
    void terminate() override {
        terminated_ = true;
        PostQuitMessage(0);
    }
    // The program is over: its main window closed, or it was told to end. A message loop
    // nested in a handler (a menu's, a box's, another program's hook) may have taken the quit
    // message meant for the main loop, so the loop asks this too.
    bool ended() const { return terminated_ || (view_ && view_->closed()); }

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
    ScopedWindow owner_;
    Win32Settings& settingsUi_;
    std::unique_ptr<SettingsView> settings_;
    std::unique_ptr<AboutView> about_;
    std::unique_ptr<ErrorNoticeView> notice_;
    App* app_ = nullptr;
    std::unique_ptr<MainWindowView> view_;
    bool terminated_ = false;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    RealPlatform real(instance, programDirectory());
    Platform& platform = real.platform;
    platform.settingsDir = settingsDirectory(real.files, platform.programDir);
    try {
        real.cpu.InitCpuCounters(real.performance, real.system);
    } catch (const std::exception&) {
        // Only an unreadable Windows version gets here: the sampler never starts and the load
        // reads 0; everything else runs on.
    }
    Win32Host host(instance, real.tray, real.windows, real.clipboard, real.settingsUi);
    App app(platform, host);
    host.attach(app);
    real.ipLookup.afterAnswer = [&host] { host.repaintMainWindow(); };
    real.sensorLookup.afterAnswer = [&host] { host.syncMainWindow(); };
    try {
        app.start();
    } catch (const std::exception& e) {
        app.handleException(e);
    }
    MSG msg;
    while (!host.ended() && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (host.dialogMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    real.cpu.StopCpuCounters();
    return 0;
}

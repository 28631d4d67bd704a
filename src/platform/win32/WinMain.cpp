// Tabrix.exe: the program entry. Builds the real platform and windows around the behaviour.
#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "app/App.h"
#include "platform/win32/ErrorNoticeView.h"
#include "platform/win32/MainWindowView.h"
#include "platform/win32/Resources.h"
#include "platform/win32/Win32Codepage.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32System.h"
#include "platform/win32/Win32Platform.h"
#include "report/SourceReportFacts.h"
#include "sources/SystemFacts.h"
#include "sources/adCpuUsage.h"
#include "app/SourceStartupFacts.h"

using namespace tabrix;
using namespace tabrix::win32;

namespace {

LRESULT CALLBACK plainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return DefWindowProcA(hwnd, msg, wp, lp);
}

HWND createPlainWindow(HINSTANCE instance, const char* className, const char* caption, DWORD exStyle) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = plainProc;
    wc.hInstance = instance;
    wc.lpszClassName = className;
    RegisterClassA(&wc);
    return CreateWindowExA(exStyle, className, caption, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                           nullptr);
}

// Connects the program entry to real windows.
class Win32Host : public AppHost {
public:
    Win32Host(HINSTANCE instance, Win32Tray& tray) : instance_(instance), tray_(tray) {
        icon_ = loadProgramIcon(instance);
        tray_.icon = icon_;
        // The hidden owner that would carry a taskbar button.
        owner_ = createPlainWindow(instance, "TApplication", kAppTitle, 0);
    }
    void attach(App& app) { app_ = &app; }

    void mainWindowCreating(TForm1& form) override {
        view_ = std::make_unique<MainWindowView>(instance_, owner_, icon_, [this](const std::exception* e) {
            if (e)
                app_->handleException(*e);
            else
                app_->handleUnknownException();
        });
        view_->create(form);
        tray_.window = view_->hwnd();
    }
    void mainWindowCreated(TForm1&) override { view_->showAfterStartup(); }
    void mainWindowDestroying(TForm1&) override { view_.reset(); }

    void createAuxiliaryWindows() override {
        // Settings, About and the error notice are kept hidden for the program's life.
        settings_ = createPlainWindow(instance_, "TForm3", "Settings", WS_EX_TOOLWINDOW);
        about_ = createPlainWindow(instance_, "TForm2", "About", WS_EX_TOOLWINDOW);
        notice_ = std::make_unique<ErrorNoticeView>(instance_, owner_, loadNoticePictures(instance_),
                                                    [this](const std::exception* e) {
                                                        if (e)
                                                            app_->handleException(*e);
                                                        else
                                                            app_->handleUnknownException();
                                                    });
        notice_->create(*app_->notice());
    }
    void showNotice(const std::string&, int, int) override {
        // Until the balloon exists the message is kept as the notice window's text.
        if (notice_) notice_->sync();
    }

private:
    HINSTANCE instance_;
    Win32Tray& tray_;
    HICON icon_ = nullptr;
    HWND owner_ = nullptr;
    HWND settings_ = nullptr;
    HWND about_ = nullptr;
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
    Platform platform{files, ui, desktop, text, tray, programDirectory()};
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
    platform.codepage = &codepage;
    platform.reportFacts = &reportFacts;
    platform.facts = &facts;
    platform.system = &system;
    platform.player = &player;
    try {
        InitCpuCounters(performance, system);
    } catch (const std::exception&) {
        // No counters: the load keeps its last text; the refresh goes on.
    }
    Win32Host host(instance, tray);
    App app(platform, host);
    host.attach(app);
    try {
        app.start();
    } catch (const std::exception& e) {
        app.handleException(e);
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    StopCpuCounters();
    return 0;
}

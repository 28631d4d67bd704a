// Tabrix.exe: the program entry. Builds the real platform and windows around the behaviour.
#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "app/App.h"
#include "platform/win32/MainWindowView.h"
#include "platform/win32/Resources.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32Platform.h"

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
        notice_ = createPlainWindow(instance_, "TForm4", "An Error Occured.", WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    }
    void showNotice(const std::string& message, int, int) override {
        // Until the balloon exists the message is kept as the notice window's text.
        if (notice_) SetWindowTextA(notice_, message.c_str());
    }

private:
    HINSTANCE instance_;
    Win32Tray& tray_;
    HICON icon_ = nullptr;
    HWND owner_ = nullptr;
    HWND settings_ = nullptr;
    HWND about_ = nullptr;
    HWND notice_ = nullptr;
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
    return 0;
}

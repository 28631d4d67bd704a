#pragma once
#include <cstdint>
#include <vector>

#include "platform/ShellApi.h"

namespace tabrix {

class TForm1;

// The main window's tray icon, popup menu and keys, and what the system announces to it
// (Unit1_tray.cpp, Unit1_menu.cpp, Unit1_screen.cpp, Unit1_desktop.cpp). The handlers work on
// the window's own state, so this part is a friend of the window that owns it.
class MainEvents {
public:
    explicit MainEvents(TForm1& form) : f_(form) {}

    const std::vector<MenuItem>& pmenu1() const;
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
    // Start-up's end and WM_DISPLAYCHANGE: the display mode is asked afresh, and a window no
    // screen shows comes back onto the nearest one.
    void DisplayChanged();
    // WM_SETTINGCHANGE: the user's settings (the decimal separator among them) are asked afresh.
    void SettingChanged();
    // Each refresh tick and each change of the foreground window: with hidefullscreen on,
    // the window steps aside while a full-screen program covers its monitor.
    void ForegroundChanged();
    bool watchesForeground() const;

private:
    TForm1& f_;
};

}  // namespace tabrix

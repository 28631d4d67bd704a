// The tray icon, the system menu, the session end, activation and the keys.
#include "platform/ShellApi.h"
#include "platform/WindowsNumbers.h"
#include "windows/main/Unit1.h"

namespace tabrix {
namespace {

constexpr int kWidthStep = 5;

// The command of the entry chosen from pmenu1 at the pointer, 0 for none.
int popupChoice(WindowSystem& windows, std::vector<MenuItem>& menu, bool fromTray) {
    // Without the foreground the tray menu would not close when the user clicks elsewhere,
    // and without the posted null message it would not close on the second click either.
    if (fromTray) windows.setForeground();
    const Point at = windows.cursorPos();
    const int chosen = windows.popupMenu(menu, at);
    if (fromTray) windows.postNull();
    return chosen;
}

}  // namespace

void MainEvents::TrayIconCallback(uint32_t mouseMessage) {
    if (mouseMessage == kMsgLeftButtonDown) menuCommand(f_, kMenuShow);
    if (mouseMessage == kMsgRightButtonDown)
        menuCommand(f_, popupChoice(f_.platform_.windows, f_.pmenu1_, true));
}

void MainEvents::FormContextPopup() {
    menuCommand(f_, popupChoice(f_.platform_.windows, f_.pmenu1_, false));
}

bool MainEvents::SysCommand(uint32_t command) {
    if (command == kSysCommandClose) {
        // Hidden at once; the default handling then closes the window (Exit path).
        f_.window_.visible = false;
        return true;
    }
    if (command == kAboutCommand) {
        menuCommand(f_, kMenuAbout);
        return false;
    }
    return true;
}

void MainEvents::EndSession(bool ending) {
    if (ending) menuCommand(f_, kMenuExit);
}

void MainEvents::FormActivate() {
    f_.platform_.windows.placeOwner(OwnerPlacement{});
}

void MainEvents::FormKeyDown(int key) {
    MainWindowState& window = f_.window_;
    if (key == kKeyF1) menuCommand(f_, kMenuHelp);
    if (key == kKeyF2) menuCommand(f_, kMenuSettings);
    if (key == kKeyOemPlus && resizeWindow(window, window.width + kWidthStep, window.height)) f_.FormResize();
    if (key == kKeyOemMinus && resizeWindow(window, window.width - kWidthStep, window.height))
        f_.FormResize();
    if (key == kEscapeKey) menuCommand(f_, kMenuShow);
}

void MainEvents::RemoveTrayIcon() {
    f_.platform_.tray.remove(f_.tray_.record);
    f_.tray_.added = false;
}

const std::vector<MenuItem>& MainEvents::pmenu1() const {
    return f_.pmenu1_;
}

void MainEvents::TaskbarCreated() {
    // A restarted shell has forgotten every icon; only a configured one comes back.
    // A refused add (the shell still had it) leaves an icon that was there in place.
    TrayIcon& tray = f_.tray_;
    if (f_.stored_.settings.trayIcon) tray.added = f_.platform_.tray.add(tray.record) || tray.added;
}

}  // namespace tabrix

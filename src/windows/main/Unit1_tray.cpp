// The tray icon's callback, the system menu, the session end, activation, the keys and the
// mouse on the window.
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

void TForm1::TrayIconCallback(uint32_t mouseMessage) {
    if (mouseMessage == kMsgLeftButtonDown) menuCommand(*this, kMenuShow);
    if (mouseMessage == kMsgRightButtonDown)
        menuCommand(*this, popupChoice(platform_.windows, pmenu1_, true));
}

void TForm1::FormContextPopup() {
    menuCommand(*this, popupChoice(platform_.windows, pmenu1_, false));
}

bool TForm1::SysCommand(uint32_t command) {
    if (command == kSysCommandClose) {
        // Hidden at once; the default handling then closes the window (Exit path).
        window_.visible = false;
        return true;
    }
    if (command == kAboutCommand) {
        menuCommand(*this, kMenuAbout);
        return false;
    }
    return true;
}

void TForm1::EndSession(bool ending) {
    if (ending) menuCommand(*this, kMenuExit);
}

void TForm1::FormActivate() {
    platform_.windows.placeOwner(OwnerPlacement{});
}

void TForm1::FormKeyDown(int key) {
    if (key == kKeyF1) menuCommand(*this, kMenuHelp);
    if (key == kKeyF2) menuCommand(*this, kMenuSettings);
    if (key == kKeyOemPlus && resizeWindow(window_, window_.width + kWidthStep, window_.height)) FormResize();
    if (key == kKeyOemMinus && resizeWindow(window_, window_.width - kWidthStep, window_.height))
        FormResize();
    if (key == kEscapeKey) menuCommand(*this, kMenuShow);
}

void TForm1::BackgroundMouseDown(MouseButton button, Point screen) {
    if (mouse_.take(button)) mouse_.followPointer(screen, {window_.left, window_.top});
}

void TForm1::LabelMouseDown(int number, int x, int y, MouseButton button) {
    if (!drag_.allowed() || mouse_.held()) return;
    drag_.press(number, x, y);
    if (drag_.captured()) mouse_.take(button);
}

void TForm1::GraphMouseDown(int graph, int x, int y, MouseButton button) {
    if (!drag_.allowed() || mouse_.held()) return;
    graphs_.press(graph, x, y);
    if (graphs_.captured()) mouse_.take(button);
}

void TForm1::BackgroundMouseMove(Point screen) {
    if (const auto corner = mouse_.corner(screen)) Moved(corner->x, corner->y);
}

bool TForm1::MouseUp(MouseButton button) {
    const bool free = !mouse_.held();
    if (!mouse_.release(button)) return button == MouseButton::Right && free;
    MouseCaptureLost();
    return button == MouseButton::Right;
}

void TForm1::MouseCaptureLost() {
    mouse_.lost();
    if (const int n = drag_.captured()) drag_.release(n);
    graphs_.release();
}

void TForm1::TaskbarCreated() {
    // A restarted shell has forgotten every icon; only a configured one comes back.
    // A refused add (the shell still had it) leaves an icon that was there in place.
    if (stored_.settings.trayIcon) tray_.added = platform_.tray.add(tray_.record) || tray_.added;
}

}  // namespace tabrix

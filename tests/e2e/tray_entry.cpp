// Choosing an entry of the tray menu by its command, the way a user does: with the keys.
#include "e2e_support.h"
#include "windows/main/MainWindowOwner.h"

namespace e2e {
namespace {

// How many Down presses select the entry with this command in the menu as designed: the keys
// skip separators, and hidden entries are not in the menu. -1 when no entry has it.
int trayEntryPosition(int command) {
    int n = 0;
    for (const tabrix::MenuItem& m : tabrix::designMenu()) {
        if (m.separator() || !m.visible) continue;
        ++n;
        if (m.command == command) return n;
    }
    return -1;
}

}  // namespace

bool pickTrayEntry(const Running& app, HWND w, int command) {
    const int n = trayEntryPosition(command);
    if (n < 0) return false;
    PostMessageA(w, kTrayCallback, 0, WM_RBUTTONDOWN);
    HWND menu = nullptr;
    if (!(menu = shownWindowOf(app, "#32768"))) return false;
    for (int i = 0; i < n; ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 1);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 1);
    return waitFor([&] { return !IsWindowVisible(menu); }, 5000);
}

}  // namespace e2e

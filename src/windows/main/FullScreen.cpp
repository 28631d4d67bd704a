#include "windows/main/FullScreen.h"

#include <algorithm>
#include <cstdint>

namespace tabrix {
namespace {

// The desktop and the shell's windows: the desktop itself, the icons' window behind it and
// the taskbars. Each spans a screen without being a program the user watches.
constexpr const char* kShellClasses[] = {"#32769", "Progman", "WorkerW", "Shell_TrayWnd",
                                         "Shell_SecondaryTrayWnd"};

int64_t sharedArea(const ScreenRect& a, const ScreenRect& b) {
    const int64_t w = int64_t(std::min(a.right, b.right)) - std::max(a.left, b.left);
    const int64_t h = int64_t(std::min(a.bottom, b.bottom)) - std::max(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

}  // namespace

bool mayBeFullScreen(const ForegroundWindow& foreground) {
    if (!foreground.exists || foreground.desktop || foreground.maximized) return false;
    for (const char* shell : kShellClasses)
        if (foreground.className == shell) return false;
    return true;
}

bool hiddenByFullScreen(const ForegroundWindow& foreground, const std::vector<ScreenRect>& monitors,
                        const ScreenRect& widget) {
    if (!mayBeFullScreen(foreground)) return false;
    const ScreenRect* home = nullptr;
    int64_t most = 0;
    for (const ScreenRect& m : monitors) {
        const int64_t shared = sharedArea(m, widget);
        if (shared > most) {
            most = shared;
            home = &m;
        }
    }
    if (!home) return false;
    const ScreenRect& f = foreground.rect;
    return f.left <= home->left && f.top <= home->top && f.right >= home->right && f.bottom >= home->bottom;
}

}  // namespace tabrix

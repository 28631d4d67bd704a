// The main window's messages that go to the tray, menu, key and window behaviour, and
// the player pictures' clicks.
#include <windowsx.h>

#include "platform/win32/MainWindowView.h"

namespace tabrix::win32 {
namespace {

constexpr UINT kTrayCallback = WM_USER + 1;  // 0x401, as the tray record names it

UINT taskbarCreatedMessage() {
    // Sent to every top-level window when the shell (re)starts its notification area.
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

}  // namespace

int MainWindowView::playerButtonAt(int x, int y) const {
    static const int kButtons[] = {2, 3, 4, 6, 7};
    for (int n : kButtons) {
        const Picture& p = form_->image(n);
        const int w = buttons_[n] ? buttons_[n].width() : p.width;
        const int h = buttons_[n] ? buttons_[n].height() : p.height;
        if (p.visible && x >= p.left && x < p.left + w && y >= p.top && y < p.top + h) return n;
    }
    return 0;
}

void MainWindowView::clickPlayerButton(int image) {
    guarded([&] {
        switch (image) {
            case 2:
                form_->Image2Click();
                break;
            case 3:
                form_->Image3Click();
                break;
            case 4:
                form_->Image4Click();
                break;
            case 6:
                form_->Image6Click();
                break;
            case 7:
                form_->Image7Click();
                break;
            default:
                break;
        }
    });
    guarded([&] { sync(); });
}

// Each handler may close the window (Exit, the session's end): hwnd_ is null afterwards,
// and sync() then does nothing.
LRESULT MainWindowView::handleWindowMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
    handled = true;
    if (msg == taskbarCreatedMessage()) {
        guarded([&] { form_->TaskbarCreated(); });
        return 0;
    }
    switch (msg) {
        case kTrayCallback:
            guarded([&] { form_->TrayIconCallback(static_cast<uint32_t>(lp)); });
            guarded([&] { sync(); });
            return 0;
        case WM_SYSCOMMAND: {
            bool defaultHandling = true;
            guarded([&] { defaultHandling = form_->SysCommand(static_cast<uint32_t>(wp)); });
            guarded([&] { sync(); });
            if (!defaultHandling || !hwnd_) return 0;
            handled = false;
            return 0;
        }
        case WM_ENDSESSION:
            if (wp) guarded([&] { form_->EndSession(true); });
            handled = hwnd_ == nullptr;
            return 0;
        case WM_ACTIVATE:
            guarded([&] { form_->FormActivate(); });
            // No default handling, so the keyboard focus is given here: the keys reach the
            // window whatever was focused before.
            if (LOWORD(wp) != WA_INACTIVE) SetFocus(hwnd_);
            return 0;
        case WM_KEYDOWN:
            guarded([&] { form_->FormKeyDown(static_cast<int>(wp)); });
            guarded([&] { sync(); });
            return 0;
        case WM_CONTEXTMENU:
            guarded([&] { form_->FormContextPopup(); });
            guarded([&] { sync(); });
            return 0;
        case WM_WINDOWPOSCHANGED: {
            // Another program may show or hide this window (a second copy hides it): the
            // record follows, or the next sync would show it again.
            const UINT flags = reinterpret_cast<const WINDOWPOS*>(lp)->flags;
            if (flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) {
                const bool shown = (flags & SWP_SHOWWINDOW) != 0;
                if (form_->window.shown() != shown) guarded([&] { form_->VisibilityChanged(shown); });
            }
            break;  // the default handling sends WM_SIZE and WM_MOVE
        }
        case WM_DISPLAYCHANGE:
            // A new mode, or a monitor went away or shrank: a window no screen shows any more
            // comes back.
            guarded([&] { form_->DisplayChanged(); });
            guarded([&] { sync(); });
            break;
        case WM_SETTINGCHANGE:
            guarded([&] { form_->SettingChanged(); });
            break;
        case WM_MEASUREITEM:
            if (menus_ && menus_->measureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lp))) return TRUE;
            break;
        case WM_DRAWITEM:
            if (menus_ && menus_->drawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp))) return TRUE;
            break;
    }
    handled = false;
    return 0;
}

}  // namespace tabrix::win32

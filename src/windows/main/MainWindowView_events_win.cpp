// The main window's messages that go to the tray, menu, key and window behaviour, the
// mouse's presses, moves and releases, and the timers.
#include "windows/main/MainWindowView_win.h"

#include <shellapi.h>
#include <windowsx.h>

namespace tabrix::win32 {
namespace {

static_assert(kMsgCommand == WM_COMMAND && kMsgLeftButtonDown == WM_LBUTTONDOWN &&
              kMsgRightButtonDown == WM_RBUTTONDOWN && kTrayCallbackMessage == WM_USER + 1);
static_assert(kSysCommandClose == SC_CLOSE);
static_assert(kKeyF1 == VK_F1 && kKeyF2 == VK_F2 && kEscapeKey == VK_ESCAPE && kKeyOemPlus == VK_OEM_PLUS &&
              kKeyOemMinus == VK_OEM_MINUS);
static_assert(kTrayRecordSize == static_cast<uint32_t>(NOTIFYICONDATAA_V1_SIZE) &&
              kTrayRecordFlags == (NIF_MESSAGE | NIF_ICON | NIF_TIP));

UINT taskbarCreatedMessage() {
    // Sent to every top-level window when the shell (re)starts its notification area.
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

}  // namespace

int MainWindowView::playerButtonAt(int x, int y) const {
    for (const int n : kPlayerPictures) {
        const Picture& p = form_->look().image(n);
        const int w = buttons_[n] ? buttons_[n].width() : p.width;
        const int h = buttons_[n] ? buttons_[n].height() : p.height;
        if (p.visible && x >= p.left && x < p.left + w && y >= p.top && y < p.top + h) return n;
    }
    return 0;
}

void MainWindowView::clickPlayerButton(int image) {
    guarded([&] { form_->mouse().PlayerPictureClick(image); });
    guarded([&] { sync(); });
}

bool MainWindowView::onSysCommand(WPARAM command) {
    bool defaultHandling = true;
    guarded([&] { defaultHandling = form_->events().SysCommand(static_cast<uint32_t>(command)); });
    guarded([&] { sync(); });
    return defaultHandling && hwnd_.get();
}

// Another program may show or hide this window (a second copy hides it): the record
// follows, or the next sync would show it again.
void MainWindowView::onPositionChanged(const WINDOWPOS& pos) {
    if (!(pos.flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW))) return;
    const bool shown = (pos.flags & SWP_SHOWWINDOW) != 0;
    if (form_->look().window.shown() != shown) guarded([&] { form_->events().VisibilityChanged(shown); });
}

// Each handler may close the window (Exit, the session's end): hwnd_.get() is null afterwards,
// and sync() then does nothing.
LRESULT MainWindowView::handleWindowMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
    handled = true;
    if (msg == taskbarCreatedMessage()) {
        guarded([&] { form_->events().TaskbarCreated(); });
        return 0;
    }
    switch (msg) {
        case kTrayCallbackMessage:
            guarded([&] { form_->events().TrayIconCallback(static_cast<uint32_t>(lp)); });
            guarded([&] { sync(); });
            return 0;
        case WM_SYSCOMMAND:
            handled = !onSysCommand(wp);
            return 0;
        case WM_ENDSESSION:
            if (wp) guarded([&] { form_->events().EndSession(true); });
            handled = hwnd_.get() == nullptr;
            return 0;
        case WM_ACTIVATE:
            guarded([&] { form_->events().FormActivate(); });
            // No default handling, so the keyboard focus is given here: the keys reach the
            // window whatever was focused before.
            if (LOWORD(wp) != WA_INACTIVE) SetFocus(hwnd_.get());
            return 0;
        case WM_KEYDOWN:
            guarded([&] { form_->events().FormKeyDown(static_cast<int>(wp)); });
            guarded([&] { sync(); });
            return 0;
        case WM_CONTEXTMENU:
            guarded([&] { form_->events().FormContextPopup(); });
            guarded([&] { sync(); });
            return 0;
        case WM_WINDOWPOSCHANGED:
            onPositionChanged(*reinterpret_cast<const WINDOWPOS*>(lp));
            break;  // the default handling sends WM_SIZE and WM_MOVE
        case WM_DISPLAYCHANGE:
            // A new mode, or a monitor went away or shrank: a window no screen shows any more
            // comes back.
            guarded([&] { form_->events().DisplayChanged(); });
            guarded([&] { sync(); });
            break;
        case WM_SETTINGCHANGE:
            guarded([&] { form_->events().SettingChanged(); });
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

void MainWindowView::onButtonDown(MouseButton button, int x, int y) {
    // A drag holds the mouse until its own button comes up: other presses start nothing.
    if (form_->mouse().mouseHeld() || pressedButton_) return;
    // The player pictures lie over the skin and take their own presses: a left one is the
    // start of a click, any other does nothing (nor does it move the window).
    if (const int picture = playerButtonAt(x, y)) {
        if (button == MouseButton::Left) {
            pressedButton_ = picture;
            SetCapture(hwnd_.get());
        }
        return;
    }
    // A label or a graph takes its own presses: it moves when dragging is allowed and
    // otherwise stays put, and the window does not move either. The background moves the
    // window.
    if (const int n = labelAt(x, y)) {
        const Label& l = form_->look().label(n);
        guarded([&] { form_->mouse().LabelMouseDown(n, x - l.left, y - l.top, button); });
    } else if (const int g = form_->look().graphs.at(x, y)) {
        const Graph& graph = form_->look().graphs[g - 1];
        guarded([&] { form_->mouse().GraphMouseDown(g, x - graph.left, y - graph.top, button); });
    } else {
        POINT screen{x, y};
        ClientToScreen(hwnd_.get(), &screen);
        guarded([&] { form_->mouse().BackgroundMouseDown(button, {screen.x, screen.y}); });
    }
    if (form_->mouse().mouseHeld()) SetCapture(hwnd_.get());
}

void MainWindowView::onMouseMove(int x, int y) {
    if (!form_->mouse().mouseHeld()) return;
    if (int n = form_->mouse().dragging().captured()) {
        const Label& l = form_->look().label(n);
        guarded([&] { form_->mouse().LabelMouseMove(n, x - l.left, y - l.top); });
        invalidateChanges();
    } else if (const int g = form_->look().graphs.captured()) {
        const Graph& graph = form_->look().graphs[g - 1];
        guarded([&] { form_->mouse().GraphMouseMove(g, x - graph.left, y - graph.top); });
        invalidateChanges();
    } else {
        // Where the pointer was when the move happened, on the screen: the window may have
        // moved since the message's client coordinates were taken.
        const DWORD at = GetMessagePos();
        guarded([&] { form_->mouse().BackgroundMouseMove({GET_X_LPARAM(at), GET_Y_LPARAM(at)}); });
        guarded([&] { sync(); });
    }
}

bool MainWindowView::onButtonUp(MouseButton button, int x, int y) {
    if (button == MouseButton::Left && pressedButton_) {
        const int pressed = pressedButton_;
        pressedButton_ = 0;
        ReleaseCapture();
        if (playerButtonAt(x, y) == pressed) clickPlayerButton(pressed);
        return false;
    }
    bool contextMenu = false;
    guarded([&] { contextMenu = form_->mouse().MouseUp(button); });
    if (!form_->mouse().mouseHeld() && !pressedButton_ && GetCapture() == hwnd_.get()) ReleaseCapture();
    return contextMenu && !pressedButton_;
}

void MainWindowView::onCaptureLost(HWND taker) {
    if (taker == hwnd_.get()) return;
    pressedButton_ = 0;
    if (form_->mouse().mouseHeld()) guarded([&] { form_->mouse().MouseCaptureLost(); });
}

void MainWindowView::onTimer(WPARAM id) {
    if (id < 1 || id > timers_.size()) return;
    const auto handlers = form_->timerHandlers();
    const Timer* fired = timers_[id - 1];
    // The timers on this one's beat fire after it; one the handler starts waits a whole
    // period, as a timer of its own would.
    std::array<bool, kMainTimerCount> riding{};
    for (size_t i = 0; i < timers_.size(); ++i)
        riding[i] = timers_[i]->beat == fired && timers_[i]->ridesBeat();
    guarded([&] { (form_->*handlers[id - 1].second)(); });
    for (size_t i = 0; i < timers_.size(); ++i)
        if (riding[i] && timers_[i]->ridesBeat()) guarded([&] { (form_->*handlers[i].second)(); });
}

}  // namespace tabrix::win32

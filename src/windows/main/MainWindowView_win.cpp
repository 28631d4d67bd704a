#include "windows/main/MainWindowView_win.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/win32/Resources.h"
#include "platform/win32/WindowClass.h"

namespace tabrix::win32 {
namespace {

constexpr DWORD kCaptionStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kBorderlessStyle = WS_POPUP | WS_CLIPCHILDREN;

// The foreground event arrived with Windows 98 and 2000: looked up, so the program still
// starts without it (the refresh tick then notices a full-screen program on its own).
constexpr DWORD kEventSystemForeground = 3;  // EVENT_SYSTEM_FOREGROUND
constexpr DWORD kOutOfContext = 0;           // WINEVENT_OUTOFCONTEXT: called from our message loop
using WinEventProc = void(CALLBACK*)(HANDLE, DWORD, HWND, LONG, LONG, DWORD, DWORD);
using SetWinEventHookFn = HANDLE(WINAPI*)(DWORD, DWORD, HMODULE, WinEventProc, DWORD, DWORD, DWORD);

template <typename Fn>
Fn user32Function(const char* name) {
    return reinterpret_cast<Fn>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

// One main window at a time listens; the event names no window of ours.
MainWindowView* foregroundListener = nullptr;

void CALLBACK foregroundEvent(HANDLE, DWORD, HWND, LONG, LONG, DWORD, DWORD) {
    if (foregroundListener) foregroundListener->foregroundChanged();
}

// The button of a press or release message.
MouseButton buttonOf(UINT msg) {
    if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP) return MouseButton::Left;
    if (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONUP) return MouseButton::Right;
    return MouseButton::Middle;
}

}  // namespace

MainWindowView::MainWindowView(HINSTANCE instance, HWND owner, HICON icon, ErrorHandler onError,
                               const Win32WindowSystem* menus)
    : View(instance, owner, std::move(onError)), icon_(icon), menus_(menus) {
    // No CS_DBLCLKS: a quick second press is a press too (it moves the window, starts a
    // label drag, clicks a player button), never a double-click message nobody handles.
    registerWindowClass(instance, {kMainClass, &viewWindowProc<MainWindowView>, icon});
}

MainWindowView::~MainWindowView() {
    // The form may outlive its view; what it writes then goes nowhere.
    if (form_) form_->setCanvasSink(nullptr);
    // The hook goes with its owner; then no event can reach this view any more.
    foregroundHook_.reset();
    if (foregroundListener == this) foregroundListener = nullptr;
    destroyWindow();
}

void MainWindowView::create(TForm1& form) {
    form_ = &form;
    form.setCanvasSink(&canvasWrites_);
    textMargin_ = form.look().scale.toDevice(kTextMargin);
    const auto all = form.timerHandlers();
    for (size_t i = 0; i < all.size(); ++i) timers_[i] = all[i].first;
    const MainWindowState& w = form.look().window;
    // Stay-on-top is applied once start-up has decided it: an owned window that was created
    // topmost cannot always be made a normal one again.
    hwnd_.reset(CreateWindowExA(WS_EX_TOOLWINDOW, kMainClass, kAppTitle, kCaptionStyle, w.left, w.top,
                                w.width, w.height, owner_, nullptr, instance_, this));
}

void MainWindowView::showAfterStartup() {
    guarded([&] {
        applyStyles();
        if (form_->look().window.aboutInSystemMenu) {
            HMENU menu = GetSystemMenu(hwnd_.get(), FALSE);
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            AppendMenuA(menu, MF_STRING, kAboutCommand, "About Tabrix");
        }
        if (form_->look().window.ownerToolWindow && owner_) {
            ShowWindow(owner_, SW_HIDE);
            SetWindowLongA(owner_, GWL_EXSTYLE, GetWindowLongA(owner_, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
            ShowWindow(owner_, SW_SHOW);
        }
        if (form_->events().watchesForeground()) {
            static const auto hook = user32Function<SetWinEventHookFn>("SetWinEventHook");
            if (hook)
                foregroundHook_.reset(hook(kEventSystemForeground, kEventSystemForeground, nullptr,
                                           foregroundEvent, 0, 0, kOutOfContext));
            foregroundListener = this;
        }
        sync();
    });
}

void MainWindowView::foregroundChanged() {
    // An event inside one of our own handlers (a message box's loop) waits for the next tick.
    if (!hwnd_ || !form_ || busy()) return;
    guarded([&] { form_->events().ForegroundChanged(); });
    guarded([&] { sync(); });
}

void MainWindowView::applyStyles() {
    const MainWindowState& w = form_->look().window;
    const DWORD style = w.toolCaption ? kCaptionStyle : kBorderlessStyle;
    DWORD ex = static_cast<DWORD>(GetWindowLongA(hwnd_.get(), GWL_EXSTYLE));
    ex = w.toolCaption ? (ex | WS_EX_TOOLWINDOW) : (ex & ~WS_EX_TOOLWINDOW);
    ex = w.stayOnTop ? (ex | WS_EX_TOPMOST) : (ex & ~WS_EX_TOPMOST);
    SetWindowLongA(hwnd_.get(), GWL_STYLE, static_cast<LONG>(style));
    SetWindowLongA(hwnd_.get(), GWL_EXSTYLE, static_cast<LONG>(ex));
    SetWindowPos(hwnd_.get(), w.stayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, w.left, w.top, w.width, w.height,
                 SWP_NOACTIVATE | SWP_FRAMECHANGED);
    appliedWidth_ = w.width;
    appliedHeight_ = w.height;
    applyLayering();
}

void MainWindowView::applyLayering() {
    const MainWindowState& w = form_->look().window;
    appliedClickThrough_ = w.clickThrough;
    LONG ex = GetWindowLongA(hwnd_.get(), GWL_EXSTYLE);
    // A layered window that is also transparent lets every click through to the one beneath.
    const LONG through = w.clickThrough ? (ex | WS_EX_TRANSPARENT) : (ex & ~WS_EX_TRANSPARENT);
    if (through != ex) SetWindowLongA(hwnd_.get(), GWL_EXSTYLE, ex = through);
    if (w.layered()) {
        if (!(ex & WS_EX_LAYERED)) SetWindowLongA(hwnd_.get(), GWL_EXSTYLE, ex | WS_EX_LAYERED);
        DWORD flags = (w.colorKey ? LWA_COLORKEY : 0) | (w.alphaBlend ? LWA_ALPHA : 0);
        BYTE alpha = w.alpha;
        if (!flags) {
            // Layered only for the clicks: a layered window without attributes shows nothing.
            flags = LWA_ALPHA;
            alpha = 255;
        }
        SetLayeredWindowAttributes(hwnd_.get(), RGB(255, 255, 255), alpha, flags);
    } else if (ex & WS_EX_LAYERED) {
        SetWindowLongA(hwnd_.get(), GWL_EXSTYLE, ex & ~WS_EX_LAYERED);
        RedrawWindow(hwnd_.get(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

void MainWindowView::sync() {
    if (!hwnd_ || !form_) return;
    const MainWindowState& w = form_->look().window;
    RECT r;
    GetWindowRect(hwnd_.get(), &r);
    if (r.left != w.left || r.top != w.top || w.width != appliedWidth_ || w.height != appliedHeight_) {
        SetWindowPos(hwnd_.get(), nullptr, w.left, w.top, w.width, w.height, SWP_NOZORDER | SWP_NOACTIVATE);
        appliedWidth_ = w.width;
        appliedHeight_ = w.height;
    }
    syncTimers();
    if (skinSource_ != &form_->look().image(1).bitmap || skinBanner_ != form_->look().window.bannerPainted) {
        rebuildSkin();
        InvalidateRect(hwnd_.get(), nullptr, FALSE);
    }
    if (w.clickThrough != appliedClickThrough_) applyLayering();
    const bool shown = IsWindowVisible(hwnd_.get()) != FALSE;
    if (w.shown() != shown) {
        // Shown active, so keys reach it; back from a full-screen program it leaves the
        // keyboard where it is.
        ShowWindow(hwnd_.get(), !w.shown() ? SW_HIDE : steppedAside_ ? SW_SHOWNA : SW_SHOW);
    }
    steppedAside_ = w.fullScreenHidden;
    // Nothing is repainted when nothing changed.
    invalidateChanges();
    drawCanvasWrites();
}

void MainWindowView::applyPreview() {
    if (!hwnd_ || !form_) return;
    applyLayering();
    rebuildSkin();
    InvalidateRect(hwnd_.get(), nullptr, FALSE);
}

void MainWindowView::syncTimers() {
    for (size_t i = 0; i < timers_.size(); ++i) {
        // A timer on another's beat has no system timer of its own: it fires with that one.
        const unsigned want = timers_[i]->fires() && !timers_[i]->ridesBeat() ? timers_[i]->interval : 0;
        if (want == appliedTimers_[i]) continue;
        if (want)
            SetTimer(hwnd_.get(), i + 1, want, nullptr);
        else
            KillTimer(hwnd_.get(), i + 1);
        appliedTimers_[i] = want;
    }
}

void MainWindowView::rebuildSkin() {
    const Picture& image1 = form_->look().image(1);
    skinSource_ = &image1.bitmap;
    skinBanner_ = form_->look().window.bannerPainted;
    banner_ = Dib();
    const PixelView skin(image1.bitmap);
    skinKey_ = skin ? skin.bottomLeft() : 0;
    if (skin && skinBanner_) {
        // The name runs upwards inside the grey strip the start-up painted. It is written on
        // a whole copy, and only the part it changed is kept.
        Dib whole(image1.bitmap);
        if (whole) {
            MemoryDc dc(nullptr);
            dc.select(whole.get());
            const Scale& scale = form_->look().scale;
            Font banner;
            banner.face = "Tahoma";
            banner.height =
                pointsToHeight(8, GetDeviceCaps(dc.get(), LOGPIXELSY)) - scale.toDevice(kBannerFontShrink);
            banner.charset = DEFAULT_CHARSET;
            GdiObject<HFONT> font(createFont(banner, 900));
            dc.select(font.get());
            SetBkMode(dc.get(), OPAQUE);
            SetBkColor(dc.get(), RGB(0x80, 0x80, 0x80));
            SetTextColor(dc.get(), RGB(0xF2, 0xF2, 0xF2));
            TextOutA(dc.get(), scale.toDevice(kBannerTextLeft), scale.toDevice(kBannerTextTop), kAppTitle,
                     sizeof(kAppTitle) - 1);
            GdiFlush();
            keepBanner(whole, skin);
        }
    }
    for (const int n : kPlayerPictures) {
        const Picture& p = form_->look().image(n);
        buttons_[n] = !p.bitmap.empty() ? Dib(p.bitmap)
                      : p.resourceId    ? Dib(loadPicture(instance_, p.resourceId, form_->look().scale))
                                        : Dib();
    }
}

void MainWindowView::keepBanner(const Dib& whole, PixelView skin) {
    int left = skin.width, top = skin.height, right = 0, bottom = 0;
    for (int y = 0; y < skin.height; ++y) {
        const uint32_t* was = skin.bits + static_cast<size_t>(y) * skin.width;
        const uint32_t* now = whole.bits() + static_cast<size_t>(y) * skin.width;
        for (int x = 0; x < skin.width; ++x) {
            if (((was[x] ^ now[x]) & 0xFFFFFF) == 0) continue;
            left = std::min(left, x);
            right = std::max(right, x + 1);
            top = std::min(top, y);
            bottom = std::max(bottom, y + 1);
        }
    }
    // The key is the drawn picture's, as a tiny skin's corner may be under the name.
    skinKey_ = PixelView(whole).bottomLeft();
    if (right <= left) return;
    banner_ = Dib(right - left, bottom - top);
    if (!banner_) return;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const uint32_t c = whole.bits()[static_cast<size_t>(y) * skin.width + x] & 0xFFFFFF;
            // Image1 lies on the white background, so a see-through pixel is white.
            banner_.bits()[static_cast<size_t>(y - top) * banner_.width() + (x - left)] =
                c == skinKey_ ? kWhite : c;
        }
    bannerAt_ = POINT{left, top};
}

int MainWindowView::labelAt(int x, int y) const {
    for (int n = kLastMainLabel; n >= kFirstMainLabel; --n) {
        const Label& l = form_->look().label(n);
        if (l.visible && x >= l.left && x < l.left + l.width && y >= l.top && y < l.top + l.height) return n;
    }
    return 0;
}

LRESULT MainWindowView::handle(UINT msg, WPARAM wp, LPARAM lp) {
    bool handled = false;
    const LRESULT result = handleWindowMessage(msg, wp, lp, handled);
    if (handled) return result;
    // Double-buffered; only the invalidated part is composed.
    LRESULT painted = 0;
    if (handlePaintMessage(
            hwnd_.get(), msg, wp, [&](HDC dc) { guarded([&] { paint(dc, msg == WM_PAINT); }); }, painted))
        return painted;
    const int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
    switch (msg) {
        case WM_SIZE:
        case WM_MOVE:
            onMovedOrSized(msg == WM_SIZE);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            onButtonDown(buttonOf(msg), x, y);
            return 0;
        case WM_MOUSEMOVE:
            onMouseMove(x, y);
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            // The right button's release asks for the context menu (WM_CONTEXTMENU) when the
            // behaviour says so.
            if (onButtonUp(buttonOf(msg), x, y)) return DefWindowProcA(hwnd_.get(), msg, wp, lp);
            return 0;
        case WM_CAPTURECHANGED:
            onCaptureLost(reinterpret_cast<HWND>(lp));
            return 0;
        case WM_TIMER:
            onTimer(wp);
            guarded([&] { sync(); });
            return 0;
        case WM_CLOSE:
            guarded([&] { form_->FormClose(); });
            closed_ = true;
            hwnd_.reset();  // WM_DESTROY lets go of the handle on the way
            return 0;
        case WM_DESTROY:
            for (size_t i = 0; i < timers_.size(); ++i) KillTimer(hwnd_.get(), i + 1);
            hwnd_.release();
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(hwnd_.get(), msg, wp, lp);
}

void MainWindowView::onMovedOrSized(bool sized) {
    RECT r;
    GetWindowRect(hwnd_.get(), &r);
    form_->Moved(r.left, r.top);
    const int width = r.right - r.left, height = r.bottom - r.top;
    const MainWindowState& w = form_->look().window;
    if (!sized || (width == w.width && height == w.height)) return;
    appliedWidth_ = width;
    appliedHeight_ = height;
    guarded([&] { form_->Resized(width, height); });
    InvalidateRect(hwnd_.get(), nullptr, FALSE);
}

}  // namespace tabrix::win32

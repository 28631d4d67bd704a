#include "windows/about/AboutView_win.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "platform/win32/Resources.h"
#include "platform/win32/Scoped.h"
#include "platform/win32/WindowClass.h"

namespace tabrix::win32 {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr int kFirstLabelId = 100;

static_assert(kProgramIconResource == kIconProgram, "Image2 names the exe's own icon");

SIZE textExtent(HFONT font, const std::string& text) {
    SIZE size{0, 0};
    const WindowDc screen;
    HGDIOBJ old = SelectObject(screen.get(), font);
    TEXTMETRICA tm{};
    GetTextMetricsA(screen.get(), &tm);
    GetTextExtentPoint32A(screen.get(), text.c_str(), static_cast<int>(text.size()), &size);
    size.cy = tm.tmHeight;
    SelectObject(screen.get(), old);
    return size;
}

void drawRule(HDC dc, const Bevel& bevel) {
    RECT r{bevel.left, bevel.top, bevel.left + bevel.width, bevel.top + 2};
    DrawEdge(dc, &r, EDGE_ETCHED, BF_TOP);
}

}  // namespace

std::string loadBannerJpeg(HINSTANCE instance, int drawnDpi) {
    const int offset = drawnOffset(drawnDpi);
    return loadDataResource(instance, kJpegBanner + (offset < 0 ? 0 : offset + kDrawnBannerShift));
}

AboutView::AboutView(HINSTANCE instance, HWND owner, HICON icon, ErrorHandler onError)
    : View(instance, owner, std::move(onError)), icon_(icon) {
    registerWindowClass(instance, {kAboutClass, &viewWindowProc<AboutView>, nullptr,
                                   reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)});
}

AboutView::~AboutView() {
    if (hwnd_ && link_ && staticProc_)
        SetWindowLongPtrA(link_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(staticProc_));
    destroyWindow();
}

void AboutView::create(TForm2& form) {
    form_ = &form;
    if (!form.Image1.bitmap.empty()) banner_ = Dib(form.Image1.bitmap);
    normal_.reset(createFont(form.font));
    Font bold = form.font;
    bold.bold = true;
    bold_.reset(createFont(bold));
    linkFont_.reset(createFont(form.Label21.font, 0, form.linkUnderlined));
    linkColor_ = form.Label21.font.color;

    RECT r{0, 0, form.clientWidth, form.clientHeight};
    AdjustWindowRectEx(&r, kStyle, FALSE, kExStyle);
    outer_ = {r.right - r.left, r.bottom - r.top};
    hwnd_.reset(CreateWindowExA(kExStyle, kAboutClass, kAboutCaption, kStyle, form.left, form.top, outer_.cx,
                                outer_.cy, owner_, nullptr, instance_, this));
    if (!hwnd_) return;
    int id = kFirstLabelId;
    for (Label* label : form.labels()) {
        HWND control = addLabel(*label, id++);
        if (label == &form.Label7) label7_ = control;
        if (label == &form.Label21) link_ = control;
    }
    const Button& b = form.Button1;
    button_ = CreateWindowExA(0, "BUTTON", b.text.c_str(),
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, b.left, b.top, b.width,
                              b.height, hwnd_.get(), reinterpret_cast<HMENU>(IDOK), instance_, nullptr);
    SendMessageA(button_, WM_SETFONT, reinterpret_cast<WPARAM>(normal_.get()), FALSE);
    if (link_) {
        SetWindowLongPtrA(link_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        staticProc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(link_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AboutView::linkProc)));
    }
}

HWND AboutView::addLabel(const Label& label, int id) {
    const bool link = &label == &form_->Label21;
    HFONT font = link ? linkFont_.get() : label.font.bold ? bold_.get() : normal_.get();
    // Sized by the behaviour; measured here only when it had nothing to measure with.
    SIZE size{label.width, label.height};
    if (size.cx <= 0 || size.cy <= 0) size = textExtent(font, label.text);
    DWORD style = WS_CHILD | SS_LEFT | SS_NOPREFIX | (label.visible ? WS_VISIBLE : 0);
    // Only the link takes the mouse; the other texts let it through to the window.
    if (link) style |= SS_NOTIFY;
    HWND control =
        CreateWindowExA(0, "STATIC", label.text.c_str(), style, label.left, label.top, size.cx, size.cy,
                        hwnd_.get(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

void AboutView::present() {
    if (!hwnd_ || !form_) return;
    sync();
    if (!form_->visible) return;
    ShowWindow(hwnd_.get(), IsIconic(hwnd_.get()) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(hwnd_.get());
}

void AboutView::sync() {
    if (!hwnd_ || !form_) return;
    if (form_->Label21.font.color != linkColor_) {
        linkColor_ = form_->Label21.font.color;
        if (link_) InvalidateRect(link_, nullptr, TRUE);
    }
    if (!form_->visible && IsWindowVisible(hwnd_.get())) ShowWindow(hwnd_.get(), SW_HIDE);
}

bool AboutView::dialogMessage(MSG& msg) {
    if (!hwnd_ || !IsWindowVisible(hwnd_.get())) return false;
    if (msg.hwnd != hwnd_.get() && !IsChild(hwnd_.get(), msg.hwnd)) return false;
    return IsDialogMessageA(hwnd_.get(), &msg) != FALSE;
}

void AboutView::paint(HDC dc) {
    const TForm2& f = *form_;
    if (banner_ && f.Image1.visible) {
        MemoryDc source(dc);
        source.select(banner_.get());
        BitBlt(dc, f.Image1.left, f.Image1.top, std::min(f.Image1.width, banner_.width()),
               std::min(f.Image1.height, banner_.height()), source.get(), 0, 0, SRCCOPY);
    }
    drawRule(dc, f.Bevel1);
    drawRule(dc, f.Bevel2);
    if (icon_ && f.Image2.visible && f.Image2.resourceId) {
        // At the screen's scale, from the icon's own larger sizes rather than stretched.
        if (!largeIcon_) largeIcon_ = loadProgramIcon(instance_, f.Image2.width);
        DrawIconEx(dc, f.Image2.left, f.Image2.top, largeIcon_ ? largeIcon_.get() : icon_, f.Image2.width,
                   f.Image2.height, 0, nullptr, DI_NORMAL);
    }
}

HBRUSH AboutView::labelColors(HWND control, HDC dc) {
    const std::vector<Label*> labels = form_->labels();
    for (size_t i = 0; i < labels.size(); ++i) {
        if (GetDlgCtrlID(control) != kFirstLabelId + static_cast<int>(i)) continue;
        SetTextColor(dc, toColorRef(labels[i]->font.color));
        break;
    }
    // The publisher's name stands on the banner picture, which shows through around it.
    if (control == label7_) {
        SetBkMode(dc, TRANSPARENT);
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
}

void AboutView::linkHovered(bool inside) {
    guarded([&] {
        if (inside)
            form_->Label21MouseMove();
        else
            form_->Label21MouseLeave();
    });
    sync();
}

LRESULT CALLBACK AboutView::linkProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<AboutView*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self || self->link_ != hwnd) return DefWindowProcA(hwnd, msg, wp, lp);
    return self->handleLink(msg, wp, lp);
}

LRESULT AboutView::handleLink(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_SETCURSOR:
            SetCursor(LoadCursor(nullptr, IDC_HAND));
            return TRUE;
        case WM_MOUSEMOVE: {
            RECT r;
            GetClientRect(link_, &r);
            const POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            const bool inside = PtInRect(&r, p) != FALSE;
            if (inside && !tracking_) {
                TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, link_, 0};
                tracking_ = TrackMouseEvent(&t) != FALSE;
            }
            linkHovered(inside);
            return 0;
        }
        case WM_MOUSELEAVE:
            tracking_ = false;
            linkHovered(false);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            pressed_ = true;
            SetCapture(link_);
            return 0;
        case WM_LBUTTONUP: {
            // A click is a press and a release on the link.
            const bool pressed = pressed_;
            pressed_ = false;
            if (GetCapture() == link_) ReleaseCapture();
            RECT r;
            GetClientRect(link_, &r);
            const POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            if (pressed && PtInRect(&r, p)) guarded([&] { form_->Label21Click(); });
            sync();
            return 0;
        }
        case WM_CAPTURECHANGED:
            pressed_ = false;
            break;
    }
    return CallWindowProcA(staticProc_, link_, msg, wp, lp);
}

void AboutView::onCommand(WPARAM wp) {
    if (LOWORD(wp) == IDOK && HIWORD(wp) == BN_CLICKED) {
        guarded([&] { form_->Button1Click(); });
    } else if (LOWORD(wp) == IDCANCEL) {
        // Esc, as the dialog keys report it.
        guarded([&] { form_->FormKeyDown(kEscapeKey); });
    }
    sync();
}

// The size is the form's to allow: a refused one stays as it was.
void AboutView::onPositionChanging(WINDOWPOS& pos) {
    const bool minimized = (GetWindowLongA(hwnd_.get(), GWL_STYLE) & WS_MINIMIZE) != 0;
    if ((pos.flags & SWP_NOSIZE) || minimized || (pos.cx == outer_.cx && pos.cy == outer_.cy)) return;
    bool allowed = false;
    guarded([&] { allowed = form_->FormCanResize(pos.cx, pos.cy); });
    if (!allowed) {
        pos.cx = outer_.cx;
        pos.cy = outer_.cy;
    }
}

LRESULT AboutView::handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_PAINT: {
            const PaintDc dc(hwnd_.get());
            guarded([&] { paint(dc.get()); });
            return 0;
        }
        case WM_PRINTCLIENT: {
            HDC dc = reinterpret_cast<HDC>(wp);
            RECT r;
            GetClientRect(hwnd_.get(), &r);
            FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
            guarded([&] { paint(dc); });
            return 0;
        }
        case WM_CTLCOLORSTATIC:
            return reinterpret_cast<LRESULT>(
                labelColors(reinterpret_cast<HWND>(lp), reinterpret_cast<HDC>(wp)));
        case DM_GETDEFID:
            return MAKELRESULT(IDOK, DC_HASDEFID);
        case WM_COMMAND:
            onCommand(wp);
            return 0;
        case WM_KEYDOWN:
            guarded([&] { form_->FormKeyDown(static_cast<int>(wp)); });
            sync();
            return 0;
        case WM_ACTIVATE:
            // As in any dialog, the button has the focus whenever the window is active.
            if (LOWORD(wp) != WA_INACTIVE && button_) SetFocus(button_);
            return 0;
        case WM_SETFOCUS:
            if (button_) SetFocus(button_);
            return 0;
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lp);
            info->ptMinTrackSize = {outer_.cx, outer_.cy};
            info->ptMaxTrackSize = {outer_.cx, outer_.cy};
            return 0;
        }
        case WM_WINDOWPOSCHANGING:
            onPositionChanging(*reinterpret_cast<WINDOWPOS*>(lp));
            return 0;
    }
    if (handleCloseMessages(msg, hwnd_, onError_, form_, [this] { sync(); })) return 0;
    return DefWindowProcA(hwnd_.get(), msg, wp, lp);
}

}  // namespace tabrix::win32

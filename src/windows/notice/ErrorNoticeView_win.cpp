#include "windows/notice/ErrorNoticeView_win.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "platform/win32/Resources.h"
#include "platform/win32/WindowClass.h"

namespace tabrix::win32 {
namespace {

constexpr UINT_PTR kTimer1Id = 1;

}  // namespace

NoticePictures loadNoticePictures(HINSTANCE instance, const Scale& scale) {
    return {loadPicture(instance, kBmpBalloon, scale), loadPicture(instance, kBmpWarning, scale), true};
}

ErrorNoticeView::ErrorNoticeView(HINSTANCE instance, HWND owner, NoticePictureLoader load,
                                 ErrorHandler onError)
    : View(instance, owner, std::move(onError)), load_(std::move(load)) {
    registerWindowClass(instance, {kNoticeClass, &viewWindowProc<ErrorNoticeView>});
}

void ErrorNoticeView::loadPictures() {
    if (loaded_) return;
    const Scale scale = form_ ? form_->scale() : Scale();
    const NoticePictures pictures = load_ ? load_(scale) : NoticePictures{};
    auto scaled = [&](const Pixels& p) { return pictures.atScale ? p : scale.picture(p); };
    if (!pictures.balloon.empty()) balloon_ = Dib(scaled(pictures.balloon));
    if (!pictures.warning.empty()) warning_ = Dib(scaled(pictures.warning));
    loaded_ = true;
}

ErrorNoticeView::~ErrorNoticeView() {
    if (hwnd_) KillTimer(hwnd_.get(), kTimer1Id);
    destroyWindow();
}

void ErrorNoticeView::create(TForm4& form) {
    form_ = &form;
    // The window takes the balloon picture's size.
    const Scale& scale = form.scale();
    if (const NoticePictures pictures = load_ ? load_(scale) : NoticePictures{}; !pictures.balloon.empty()) {
        const Pixels& b = pictures.balloon;
        form.width = form.Image1.width = pictures.atScale ? b.width : scale.toDevice(b.width);
        form.height = form.Image1.height = pictures.atScale ? b.height : scale.toDevice(b.height);
    }
    font_.reset(createFont(form.Label1.font));
    hwnd_.reset(CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_LAYERED, kNoticeClass,
                                form.Label1.text.c_str(), WS_POPUP, form.left, form.top, form.width,
                                form.height, owner_, nullptr, instance_, this));
    if (!hwnd_) return;
    appliedText_ = form.Label1.text;
    SetLayeredWindowAttributes(hwnd_.get(), toColorRef(kNoticeKeyColor), 255, LWA_COLORKEY);
    if (form.Timer1.fires()) SetTimer(hwnd_.get(), kTimer1Id, form.Timer1.interval, nullptr);
}

void ErrorNoticeView::sync() {
    if (!hwnd_ || !form_) return;
    if (form_->Label1.text != appliedText_) {
        appliedText_ = form_->Label1.text;
        SetWindowTextA(hwnd_.get(), appliedText_.c_str());
    }
    RECT r;
    GetWindowRect(hwnd_.get(), &r);
    const bool shown = IsWindowVisible(hwnd_.get()) != FALSE;
    if (form_->visible) {
        // Shown without taking the focus from whatever the user is doing.
        SetWindowPos(hwnd_.get(), HWND_TOPMOST, form_->left, form_->top, form_->width, form_->height,
                     SWP_NOACTIVATE | (shown ? 0 : SWP_SHOWWINDOW));
    } else {
        if (r.left != form_->left || r.top != form_->top)
            SetWindowPos(hwnd_.get(), nullptr, form_->left, form_->top, 0, 0,
                         SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOSIZE);
        if (shown) ShowWindow(hwnd_.get(), SW_HIDE);
        // Hidden, it needs its pictures no more.
        balloon_ = Dib();
        warning_ = Dib();
        loaded_ = false;
    }
    InvalidateRect(hwnd_.get(), nullptr, FALSE);
}

void ErrorNoticeView::paint(HDC target) {
    const int w = form_->width, h = form_->height;
    if (w <= 0 || h <= 0) return;
    loadPictures();
    Dib back(w, h);
    if (!back) return;
    // White is the colour key: whatever the balloon does not cover is see-through.
    std::fill(back.bits(), back.bits() + static_cast<size_t>(w) * h, kNoticeKeyColor);
    const Picture& image1 = form_->Image1;
    const Picture& image2 = form_->Image2;
    if (image1.visible) copyPicture(balloon_, back.bits(), w, h, image1.left, image1.top, std::nullopt);
    if (image2.visible) copyPicture(warning_, back.bits(), w, h, image2.left, image2.top, kWarningKeyColor);
    MemoryDc dc(target);
    dc.select(back.get());
    const Label& l = form_->Label1;
    if (l.visible) {
        dc.select(font_.get());
        SetBkMode(dc.get(), TRANSPARENT);
        SetTextColor(dc.get(), toColorRef(l.font.color));
        // Wrapped inside the fixed rectangle; what does not fit is cut off there.
        RECT r{l.left, l.top, l.left + l.width, l.top + l.height};
        DrawTextA(dc.get(), l.text.c_str(), static_cast<int>(l.text.size()), &r,
                  DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    }
    BitBlt(target, 0, 0, w, h, dc.get(), 0, 0, SRCCOPY);
}

LRESULT ErrorNoticeView::handle(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT painted = 0;
    if (handlePaintMessage(
            hwnd_.get(), msg, wp, [&](HDC dc) { guarded([&] { paint(dc); }); }, painted))
        return painted;
    switch (msg) {
        case WM_LBUTTONDOWN:
            pressed_ = form_->partAt(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
            SetCapture(hwnd_.get());
            return 0;
        case WM_LBUTTONUP: {
            // A click is a press and a release on the same part.
            const TForm4::Part part = form_->partAt(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
            const TForm4::Part pressed = std::exchange(pressed_, TForm4::Part::None);
            ReleaseCapture();
            if (part == pressed) guarded([&] { form_->click(part); });
            sync();
            return 0;
        }
        case WM_TIMER:
            if (wp == kTimer1Id) {
                guarded([&] { form_->Timer1Timer(); });
                sync();
            }
            return 0;
    }
    if (handleCloseMessages(msg, hwnd_, onError_, form_, [this] { sync(); })) return 0;
    return DefWindowProcA(hwnd_.get(), msg, wp, lp);
}

}  // namespace tabrix::win32

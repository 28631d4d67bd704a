#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <utility>

#include "controls/Controls.h"
#include "controls/Scale.h"
#include "images/Bmp.h"
#include "platform/win32/Resources.h"
#include "platform/win32/Scoped.h"

namespace tabrix::win32 {

// Where a view sends what a handler throws: the application-wide handler (null for an
// exception of another kind).
using ErrorHandler = std::function<void(const std::exception*)>;

// Runs f; nothing it throws crosses into Windows.
template <typename F>
void guarded(const ErrorHandler& onError, F&& f) {
    try {
        f();
    } catch (const std::exception& e) {
        onError(&e);
    } catch (...) {
        onError(nullptr);
    }
}

// A place laid out in design pixels, at the screen's scale: the dialogs keep their design
// layouts and are made at the scale read when they are created.
inline RECT scaledRect(const Scale& scale, int left, int top, int width, int height) {
    const int x = scale.toDevice(left), y = scale.toDevice(top);
    return RECT{x, y, x + scale.toDevice(width), y + scale.toDevice(height)};
}
inline RECT scaledRect(const Scale& scale, const Control& c) {
    return scaledRect(scale, c.left, c.top, c.width, c.height);
}

// A view's window is gone: the view no longer holds it.
inline void forgetWindow(HWND& hwnd) {
    hwnd = nullptr;
}
inline void forgetWindow(ScopedWindow& hwnd) {
    hwnd.release();
}

// Close and destroy of a window that lives as long as the program: WM_CLOSE runs the form's
// close handler (which hides it) and then sync, WM_DESTROY forgets the handle (its timers go
// with it). True when msg was one of them; the result is 0.
template <typename Form, typename Sync, typename Window>
bool handleCloseMessages(UINT msg, Window& hwnd, const ErrorHandler& onError, Form* form, Sync&& sync) {
    if (msg == WM_CLOSE) {
        guarded(onError, [&] { form->FormClose(); });
        sync();
        return true;
    }
    if (msg != WM_DESTROY) return false;
    forgetWindow(hwnd);
    return true;
}

// The paint messages of a view that paints its whole client area itself: nothing is erased
// first, and WM_PRINTCLIENT paints the same picture into the given DC. True when handled.
template <typename Paint>
bool handlePaintMessage(HWND hwnd, UINT msg, WPARAM wp, Paint&& paint, LRESULT& result) {
    switch (msg) {
        case WM_ERASEBKGND:
            result = 1;
            return true;
        case WM_PAINT: {
            const PaintDc dc(hwnd);
            paint(dc.get());
            result = 0;
            return true;
        }
        case WM_PRINTCLIENT:
            paint(reinterpret_cast<HDC>(wp));
            result = 0;
            return true;
        default:
            return false;
    }
}

// The window procedure of a view: the view passed to CreateWindowEx is kept with the window
// and gets every message once it has taken the window as its own (View::owns).
template <typename View>
LRESULT CALLBACK viewWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<View*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self || !self->owns(hwnd)) return DefWindowProcA(hwnd, msg, wp, lp);
    return self->handle(msg, wp, lp);
}

// What every view has: the program's instance, its owner window, where a handler's exception
// goes, the form it shows and the window it made for it. viewWindowProc hands a message on
// only while the window is the view's own (owns); a view's destructor calls destroyWindow,
// so that nothing of the window reaches it while it goes.
template <typename Form>
class View {
public:
    View(const View&) = delete;
    View& operator=(const View&) = delete;
    HWND hwnd() const { return hwnd_.get(); }

protected:
    View(HINSTANCE instance, HWND owner, ErrorHandler onError)
        : instance_(instance), owner_(owner), onError_(std::move(onError)) {}
    ~View() = default;

    bool owns(HWND hwnd) const { return form_ && hwnd_.get() == hwnd; }
    template <typename F>
    void guarded(F&& f) {
        win32::guarded(onError_, std::forward<F>(f));
    }
    void destroyWindow() {
        if (!hwnd_) return;
        SetWindowLongPtrA(hwnd_.get(), GWLP_USERDATA, 0);
        hwnd_.reset();
    }

    HINSTANCE instance_;
    HWND owner_;
    ErrorHandler onError_;
    Form* form_ = nullptr;
    ScopedWindow hwnd_;
};

// One of the built-in design pictures at the screen's scale: the copy drawn nearest it,
// enlarged or shrunk the rest of the way.
inline Pixels loadPicture(HINSTANCE instance, int id, const Scale& scale) {
    const int drawn = scale.drawnDpi();
    const int offset = drawnOffset(drawn);
    if (offset >= 0) {
        try {
            return scale.picture(decodeBmp(loadDataResource(instance, id + offset)), drawn);
        } catch (const std::exception&) {
            // not built in: the design picture enlarged
        }
    }
    return scale.picture(loadBitmapResource(instance, id));
}

}  // namespace tabrix::win32

#pragma once
#include <windows.h>

#include <string>
#include <utility>

#include "platform/win32/Gdi.h"
#include "platform/win32/Resources.h"
#include "windows/View_win.h"
#include "windows/about/Unit2.h"

namespace tabrix::win32 {

// The banner JPEG built into the exe; empty when it is missing.
std::string loadBannerJpeg(HINSTANCE instance, int drawnDpi);

// The real About window: a dialog-framed window of class "TForm2" with the system's own
// static texts and OK button, painted pictures and rules, driven by TForm2's state.
// Nothing a handler throws crosses into Windows: it goes to the error handler.
class AboutView : public View<TForm2> {
public:
    AboutView(HINSTANCE instance, HWND owner, HICON icon, ErrorHandler onError);
    ~AboutView();

    // The hidden window with its controls at their places.
    void create(TForm2& form);
    // Shows the window as the behaviour asks (restored and in front), or hides it.
    void present();
    // Brings visibility and the link's colour up to date with the behaviour.
    void sync();
    // Dialog keys for the window (Tab, Enter, Esc, Space on the button): call from the
    // message loop before translating; true when the message was used.
    bool dialogMessage(MSG& msg);
    HWND link() const { return link_; }
    HWND button() const { return button_; }

private:
    friend LRESULT CALLBACK viewWindowProc<AboutView>(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK linkProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT handleLink(UINT msg, WPARAM wp, LPARAM lp);
    void onCommand(WPARAM wp);
    void onPositionChanging(WINDOWPOS& pos);
    HWND addLabel(const Label& label, int id);
    void paint(HDC dc);
    HBRUSH labelColors(HWND control, HDC dc);
    void linkHovered(bool inside);

    HICON icon_;
    OwnedIcon largeIcon_;  // Image2's, at its size
    HWND link_ = nullptr;
    HWND button_ = nullptr;
    HWND label7_ = nullptr;
    WNDPROC staticProc_ = nullptr;
    SIZE outer_{};
    Dib banner_;
    GdiObject<HFONT> normal_;
    GdiObject<HFONT> bold_;
    GdiObject<HFONT> linkFont_;
    uint32_t linkColor_ = 0;
    bool tracking_ = false;  // a leave notice for the link is on order
    bool pressed_ = false;   // the left button went down on the link
};

}  // namespace tabrix::win32

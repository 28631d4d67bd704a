#pragma once
#include <windows.h>

#include <functional>

#include "platform/win32/Gdi.h"
#include "windows/View_win.h"
#include "windows/notice/frmError.h"

namespace tabrix::win32 {

// The balloon's two pictures: the speech balloon (the window's size) and the warning sign.
struct NoticePictures {
    Pixels balloon;
    Pixels warning;
    bool atScale = false;  // already at the screen's scale, else at the design's
};
// The built-in ones, drawn nearest the scale.
NoticePictures loadNoticePictures(HINSTANCE instance, const Scale& scale);
using NoticePictureLoader = std::function<NoticePictures(const Scale&)>;

// The real error notice: a borderless, topmost, colour-keyed popup of class "TForm4" with
// no taskbar button, painted from TForm4's state. Its window text mirrors Label1's text.
// Nothing a handler throws crosses into Windows: it goes to the error handler.
class ErrorNoticeView : public View<TForm4> {
public:
    // The pictures are loaded for the window's size and again while the notice shows; a notice
    // that never shows holds none of them.
    ErrorNoticeView(HINSTANCE instance, HWND owner, NoticePictureLoader load, ErrorHandler onError);
    ~ErrorNoticeView();

    // The hidden window at the picture's size, with Timer1 running.
    void create(TForm4& form);
    // Brings place, text and visibility up to date with the behaviour.
    void sync();

private:
    friend LRESULT CALLBACK viewWindowProc<ErrorNoticeView>(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
    void paint(HDC target);
    void loadPictures();

    NoticePictureLoader load_;
    bool loaded_ = false;
    Dib balloon_;
    Dib warning_;
    TForm4::Part pressed_ = TForm4::Part::None;
    GdiObject<HFONT> font_;
    std::string appliedText_;  // the window text, kept equal to Label1's
};

}  // namespace tabrix::win32

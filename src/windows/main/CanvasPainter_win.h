#pragma once
#include <windows.h>

#include <string>

#include "platform/win32/Gdi.h"

namespace tabrix::win32 {

// Self-draw mode's canvas font and text output, straight onto a window's DC. Each pass
// makes a new font; the one before it is deleted then, so the GDI objects stay constant.
class CanvasPainter {
public:
    // A font like `like`, without anti-aliasing, becomes the canvas font.
    void newFont(HFONT like, COLORREF color);
    // The text with an opaque white box exactly behind it, its top-left at left, top.
    void textOut(HDC dc, int left, int top, const std::string& text) const;
    HFONT font() const { return font_.get(); }

private:
    GdiObject<HFONT> font_;
    COLORREF color_ = 0;
};

}  // namespace tabrix::win32

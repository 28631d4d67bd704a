#include "windows/main/CanvasPainter_win.h"

namespace tabrix::win32 {

void CanvasPainter::newFont(HFONT like, COLORREF color) {
    color_ = color;
    LOGFONTA lf{};
    if (!like || GetObjectA(like, sizeof lf, &lf) != sizeof lf) return;
    lf.lfQuality = NONANTIALIASED_QUALITY;
    HFONT made = CreateFontIndirectA(&lf);
    if (made) font_.reset(made);  // deletes the font of the pass before
}

void CanvasPainter::textOut(HDC dc, int left, int top, const std::string& text) const {
    HGDIOBJ old = font_ ? SelectObject(dc, font_.get()) : nullptr;
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(255, 255, 255));
    SetTextColor(dc, color_);
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    TextOutA(dc, left, top, text.c_str(), static_cast<int>(text.size()));
    if (old) SelectObject(dc, old);
}

}  // namespace tabrix::win32

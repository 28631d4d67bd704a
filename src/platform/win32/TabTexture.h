#pragma once
#include <windows.h>

// With a visual style the tab control's body is lighter than a dialog's face: pages that are
// plain windows would show as grey panels on it. A page marked here draws the tab's body
// behind itself and behind its captions and boxes. uxtheme is looked up at run time, so
// nothing changes without it (Windows 2000) or without a visual style.
namespace tabrix::win32 {

void enableTabTexture(HWND page);
// WM_ERASEBKGND of a page: true when the tab's body was drawn.
bool eraseWithTabTexture(HWND page, HDC dc);
// WM_CTLCOLORSTATIC of a control on a page: the control's part of the tab's body drawn under
// it and the brush that keeps it; null when the page has no texture.
HBRUSH tabTextureBrush(HWND page, HWND control, HDC dc);

}  // namespace tabrix::win32

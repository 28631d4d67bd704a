#include "platform/win32/TabTexture.h"

#include "platform/win32/Library.h"

namespace tabrix::win32 {
namespace {

constexpr DWORD kEnableTab = 6;  // ETDT_ENABLE | ETDT_USETABTEXTURE

Library& uxtheme() {
    static Library library("uxtheme.dll");
    return library;
}

// The page asked for the texture and the program is drawn with a visual style now.
bool textured(HWND page) {
    using IsEnabled = BOOL(WINAPI*)(HWND);
    using IsAppThemed = BOOL(WINAPI*)();
    static const auto isEnabled = uxtheme().function<IsEnabled>("IsThemeDialogTextureEnabled");
    static const auto themed = uxtheme().function<IsAppThemed>("IsAppThemed");
    return isEnabled && themed && themed() && isEnabled(page);
}

bool drawParentBackground(HWND w, HDC dc) {
    using DrawParent = HRESULT(WINAPI*)(HWND, HDC, RECT*);
    static const auto draw = uxtheme().function<DrawParent>("DrawThemeParentBackground");
    return draw && SUCCEEDED(draw(w, dc, nullptr));
}

}  // namespace

void enableTabTexture(HWND page) {
    using Enable = HRESULT(WINAPI*)(HWND, DWORD);
    static const auto enable = uxtheme().function<Enable>("EnableThemeDialogTexture");
    if (enable) enable(page, kEnableTab);
}

bool eraseWithTabTexture(HWND page, HDC dc) {
    // The page's parent is the tab control, which draws its body.
    return textured(page) && drawParentBackground(page, dc);
}

HBRUSH tabTextureBrush(HWND page, HWND control, HDC dc) {
    if (!textured(page) || !drawParentBackground(control, dc)) return nullptr;
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

}  // namespace tabrix::win32

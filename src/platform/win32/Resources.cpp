#include "platform/win32/Resources.h"

#include "platform/win32/Gdi.h"
#include "platform/win32/Scoped.h"

namespace tabrix::win32 {

Pixels loadBitmapResource(HINSTANCE instance, int id) {
    Pixels out;
    GdiObject<HBITMAP> bmp(static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!bmp) return out;
    BITMAP info{};
    GetObjectA(bmp.get(), sizeof info, &info);
    if (info.bmWidth <= 0 || info.bmHeight <= 0) return out;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = info.bmWidth;
    bi.bmiHeader.biHeight = -info.bmHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    out.width = info.bmWidth;
    out.height = info.bmHeight;
    out.data.resize(static_cast<size_t>(out.width) * out.height);
    const WindowDc screen;
    GetDIBits(screen.get(), bmp.get(), 0, info.bmHeight, out.data.data(), &bi, DIB_RGB_COLORS);
    for (uint32_t& p : out.data) p &= 0xFFFFFF;
    return out;
}

HICON loadProgramIcon(HINSTANCE instance) {
    HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(kIconProgram));
    return icon ? icon : LoadIconA(nullptr, IDI_APPLICATION);
}

HICON loadSmallProgramIcon(HINSTANCE instance) {
    auto* icon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(kIconProgram), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                               LR_SHARED));
    return icon ? icon : loadProgramIcon(instance);
}

}  // namespace tabrix::win32

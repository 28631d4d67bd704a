#include "platform/win32/Resources.h"

#include "platform/win32/Gdi.h"
#include "platform/win32/Scoped.h"
#include "platform/win32/Win32Platform.h"

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

std::string loadDataResource(HINSTANCE instance, int id) {
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(id), RT_RCDATA);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(instance, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = SizeofResource(instance, found);
    if (!bytes || size == 0) return {};
    return std::string(static_cast<const char*>(bytes), size);
}

int drawnOffset(int dpi) {
    if (dpi == 144) return kDrawnAt150;
    if (dpi == 192) return kDrawnAt200;
    return -1;
}

HICON loadProgramIcon(HINSTANCE instance) {
    HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(kIconProgram));
    return icon ? icon : LoadIconA(nullptr, IDI_APPLICATION);
}

OwnedIcon loadProgramIcon(HINSTANCE instance, int size) {
    return OwnedIcon(static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(kIconProgram), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

HICON loadSmallProgramIcon(HINSTANCE instance) {
    auto* icon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(kIconProgram), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                               LR_SHARED));
    return icon ? icon : loadProgramIcon(instance);
}

std::string Win32Desktop::drawnCopy(uint32_t fileCrc, int dpi) {
    const int offset = drawnOffset(dpi);
    if (offset < 0) return {};
    const HINSTANCE self = GetModuleHandleA(nullptr);
    constexpr size_t kReservedAt = 6;  // the file header's two reserved words
    for (int id = kDrawnFirst; id <= kDrawnLast; ++id) {
        std::string bytes = loadDataResource(self, id + offset);
        uint32_t crc = 0;
        if (bytes.size() < kReservedAt + sizeof crc || bytes.compare(0, 2, "BM") != 0) continue;
        for (size_t i = 0; i < sizeof crc; ++i)
            crc |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[kReservedAt + i])) << (8 * i);
        if (crc == fileCrc) return bytes;
    }
    return {};
}

}  // namespace tabrix::win32
